// SPDX-License-Identifier: GPL-3.0-or-later
#include "safefile.h"

#include "fileerror.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int MaxLinkDepth = 40;

class TFd
{
public:
    explicit TFd(int AFd) : FFd(AFd) {}
    ~TFd()
    {
        if (FFd >= 0)
            ::close(FFd);
    }
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;

    int Get() const { return FFd; }
    // Closing can report a late write error, so callers that care check it.
    int Close()
    {
        const int Result = ::close(FFd);
        FFd = -1;
        return Result;
    }

private:
    int FFd;
};

// Follows symbolic links so that the save replaces the file a link points
// to and leaves the link itself in place.
fs::path ResolveLinks(const std::string& APath)
{
    fs::path Path(APath);
    for (int Depth = 0; Depth < MaxLinkDepth; ++Depth) {
        std::error_code Error;
        if (!fs::is_symlink(Path, Error))
            return Path;
        const fs::path Target = fs::read_symlink(Path, Error);
        if (Error)
            return Path;
        Path = Target.is_absolute() ? Target : Path.parent_path() / Target;
    }
    throw EFCreateError(APath, ELOOP);
}

// Returns the open temporary file and fills ATempPath.
int CreateTemporary(const fs::path& ATarget, std::string& ATempPath)
{
    static std::mt19937 Random(std::random_device{}());
    const fs::path Folder = ATarget.has_parent_path() ? ATarget.parent_path() : fs::path(".");
    for (int Attempt = 0; Attempt < 100; ++Attempt) {
        ATempPath = (Folder / ("." + ATarget.filename().string() + "." +
                               std::to_string(Random() % 1000000) + ".tmp"))
                        .string();
        const int Fd = ::open(ATempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (Fd >= 0 || errno != EEXIST)
            return Fd;
    }
    errno = EEXIST;
    return -1;
}

void KeepOwnerAndMode(int AFd, const fs::path& ATarget)
{
    struct stat Old;
    if (::stat(ATarget.c_str(), &Old) != 0)
        return;
    ::fchmod(AFd, Old.st_mode & 07777);
    // Only root may give a file away; for anyone else this fails harmlessly.
    if (::fchown(AFd, Old.st_uid, Old.st_gid) != 0)
        errno = 0;
}

int WriteAll(TFileOps& AOps, int AFd, std::string_view AData)
{
    while (!AData.empty()) {
        const ssize_t Written = AOps.Write(AFd, AData.data(), AData.size());
        if (Written < 0 && errno == EINTR)
            continue;
        if (Written <= 0)
            return Written == 0 ? ENOSPC : errno;
        AData.remove_prefix(static_cast<std::size_t>(Written));
    }
    return 0;
}

int SyncFolder(TFileOps& AOps, const fs::path& ATarget)
{
    const fs::path Folder = ATarget.has_parent_path() ? ATarget.parent_path() : fs::path(".");
    TFd Fd(::open(Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (Fd.Get() < 0)
        return errno;
    return AOps.Sync(Fd.Get()) == 0 ? 0 : errno;
}

} // namespace

ssize_t TFileOps::Write(int AFd, const char* AData, std::size_t ASize)
{
    return ::write(AFd, AData, ASize);
}

int TFileOps::Sync(int AFd)
{
    return ::fsync(AFd);
}

TFileOps& TFileOps::System()
{
    static TFileOps Ops;
    return Ops;
}

void WriteFileAtomically(const std::string& APath, std::string_view AData, TFileOps& AOps)
{
    const fs::path Target = ResolveLinks(APath);
    std::string TempPath;
    TFd Fd(CreateTemporary(Target, TempPath));
    if (Fd.Get() < 0)
        throw EFCreateError(APath, errno);

    KeepOwnerAndMode(Fd.Get(), Target);
    int Error = WriteAll(AOps, Fd.Get(), AData);
    if (Error == 0 && AOps.Sync(Fd.Get()) != 0)
        Error = errno;
    if (Fd.Close() != 0 && Error == 0)
        Error = errno;
    if (Error == 0 && ::rename(TempPath.c_str(), Target.c_str()) != 0)
        Error = errno;
    if (Error != 0) {
        ::unlink(TempPath.c_str());
        throw EFCreateError(APath, Error);
    }
    // The new content is in place; a folder that cannot be synced still
    // counts as a failed save, so the document stays marked as changed.
    Error = SyncFolder(AOps, Target);
    if (Error != 0)
        throw EFCreateError(APath, Error);
}
