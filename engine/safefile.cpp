// SPDX-License-Identifier: GPL-3.0-or-later
#include "safefile.h"

#include "filedescriptor.h"
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
constexpr int MaxNameAttempts = 100;

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

fs::path FolderOf(const fs::path& ATarget)
{
    return ATarget.has_parent_path() ? ATarget.parent_path() : fs::path(".");
}

// Short and of fixed length, so that a target whose name is as long as the
// system allows still leaves room for it.
std::string TemporaryName()
{
    static constexpr char Symbols[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    thread_local std::mt19937 Random(std::random_device{}());
    std::string Name = ".verbanto-";
    for (int I = 0; I < 6; ++I)
        Name += Symbols[Random() % (sizeof Symbols - 1)];
    return Name;
}

// Calls ACreate with fresh names in AFolder until one is free; ACreate
// returns a negative value and sets errno when it fails.
template <typename TCreate>
int CreateUnderFreeName(const fs::path& AFolder, std::string& AName, TCreate ACreate)
{
    for (int Attempt = 0; Attempt < MaxNameAttempts; ++Attempt) {
        const std::string Name = (AFolder / TemporaryName()).string();
        const int Result = ACreate(Name.c_str());
        if (Result >= 0)
            AName = Name;
        if (Result >= 0 || errno != EEXIST)
            return Result;
    }
    errno = EEXIST;
    return -1;
}

// The new content before it takes the target's place. It has no name until
// it is complete, so that a killed save leaves nothing behind; where the file
// system cannot do that, it has a hidden name from the start. Whatever name
// it has is removed unless the file is committed.
class TTemporaryFile
{
public:
    TTemporaryFile(const fs::path& AFolder, TFileOps& AOps)
        : FFolder(AFolder), FFd(Open(AOps)), FOpenError(FFd.Get() < 0 ? errno : 0)
    {}
    ~TTemporaryFile()
    {
        if (!FName.empty())
            ::unlink(FName.c_str());
    }
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;

    int OpenError() const { return FOpenError; }
    int Fd() const { return FFd.Get(); }

    // Names the written and synced file, closes it and renames it over
    // ATarget. Returns 0 or the errno of the failure.
    int Commit(const fs::path& ATarget)
    {
        int Error = FName.empty() ? Link() : 0;
        if (Error == 0 && FFd.Close() != 0)
            Error = errno;
        if (Error == 0 && ::rename(FName.c_str(), ATarget.c_str()) != 0)
            Error = errno;
        if (Error == 0)
            FName.clear();
        return Error;
    }

private:
    int Open(TFileOps& AOps)
    {
        const int Fd = AOps.OpenUnnamed(FFolder.c_str(), 0666);
        if (Fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL))
            return Fd;
        return CreateUnderFreeName(FFolder, FName, [](const char* AName) {
            return ::open(AName, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        });
    }

    int Link()
    {
        const std::string Self = "/proc/self/fd/" + std::to_string(FFd.Get());
        const int Result = CreateUnderFreeName(FFolder, FName, [&Self](const char* AName) {
            return ::linkat(AT_FDCWD, Self.c_str(), AT_FDCWD, AName, AT_SYMLINK_FOLLOW);
        });
        return Result == 0 ? 0 : errno;
    }

    fs::path FFolder;
    std::string FName;
    TFd FFd;
    int FOpenError;
};

// Only root may give a file away, and anyone else only to his own groups;
// a file system without owners refuses even that but shows the same owner
// on every file. So what the new file holds after trying tells whether it
// can stand in for the old one.
bool TakeOwnerAndMode(int AFd, const struct stat& AOld)
{
    struct stat New;
    if (::fchown(AFd, AOld.st_uid, AOld.st_gid) != 0 &&
        (::fstat(AFd, &New) != 0 || New.st_uid != AOld.st_uid || New.st_gid != AOld.st_gid))
        return false;
    // After fchown, which clears the set-id bits.
    ::fchmod(AFd, AOld.st_mode & 07777);
    return true;
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

int WriteAndSync(TFileOps& AOps, int AFd, std::string_view AData)
{
    const int Error = WriteAll(AOps, AFd, AData);
    if (Error != 0)
        return Error;
    return AOps.Sync(AFd) == 0 ? 0 : errno;
}

int SyncFolder(TFileOps& AOps, const fs::path& ATarget)
{
    TFd Fd(::open(FolderOf(ATarget).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (Fd.Get() < 0)
        return errno;
    return AOps.Sync(Fd.Get()) == 0 ? 0 : errno;
}

// Saves through a new file renamed over the target. Returns false, having
// changed nothing, when the new file cannot take the place of AOld.
bool ReplaceByRename(const std::string& APath, const fs::path& ATarget, const struct stat* AOld,
                     std::string_view AData, TFileOps& AOps)
{
    TTemporaryFile Temp(FolderOf(ATarget), AOps);
    if (const int Error = Temp.OpenError(); Error != 0) {
        // The folder refuses new files, but the file itself may be writable.
        if (AOld && (Error == EACCES || Error == EPERM))
            return false;
        throw EFCreateError(APath, Error);
    }
    if (AOld && !TakeOwnerAndMode(Temp.Fd(), *AOld))
        return false;
    int Error = WriteAndSync(AOps, Temp.Fd(), AData);
    if (Error == 0)
        Error = Temp.Commit(ATarget);
    // A folder that cannot be synced still counts as a failed save, so the
    // document stays marked as changed.
    if (Error == 0)
        Error = SyncFolder(AOps, ATarget);
    if (Error != 0)
        throw EFCreateError(APath, Error);
    return true;
}

void WriteInPlace(const std::string& APath, const fs::path& ATarget, std::string_view AData,
                  TFileOps& AOps)
{
    // Not blocking, in case a FIFO has taken the file's place meanwhile.
    TFd Fd(::open(ATarget.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC));
    struct stat Info;
    if (Fd.Get() < 0 || ::fstat(Fd.Get(), &Info) != 0)
        throw EFCreateError(APath, errno);
    if (!S_ISREG(Info.st_mode))
        throw EFCreateError(APath, EOPNOTSUPP);
    int Error = ::ftruncate(Fd.Get(), 0) == 0 ? WriteAndSync(AOps, Fd.Get(), AData) : errno;
    if (Fd.Close() != 0 && Error == 0)
        Error = errno;
    if (Error != 0)
        throw EFCreateError(APath, Error);
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

int TFileOps::OpenUnnamed(const char* AFolder, mode_t AMode)
{
    // The file is named through /proc/self/fd, so without /proc it could
    // never be named.
    static const bool ProcMounted = ::access("/proc/self/fd", X_OK) == 0;
    if (!ProcMounted) {
        errno = EOPNOTSUPP;
        return -1;
    }
    return ::open(AFolder, O_TMPFILE | O_WRONLY | O_CLOEXEC, AMode);
}

TFileOps& TFileOps::System()
{
    static TFileOps Ops;
    return Ops;
}

void WriteFileAtomically(const std::string& APath, std::string_view AData, TFileOps& AOps)
{
    const fs::path Target = ResolveLinks(APath);
    struct stat Old;
    if (::lstat(Target.c_str(), &Old) != 0) {
        if (errno != ENOENT)
            throw EFCreateError(APath, errno);
        ReplaceByRename(APath, Target, nullptr, AData, AOps);
        return;
    }
    // A rename would put a regular file in the place of a FIFO, a device or
    // a folder, and writing into those could block or reach hardware.
    if (!S_ISREG(Old.st_mode))
        throw EFCreateError(APath, S_ISDIR(Old.st_mode) ? EISDIR : EOPNOTSUPP);
    // A rename ignores the file's own permission; root passes, as it would
    // when writing.
    if (::faccessat(AT_FDCWD, Target.c_str(), W_OK, AT_EACCESS) != 0)
        throw EFCreateError(APath, errno);
    // A rename would split hard links into separate files.
    if (Old.st_nlink > 1 || !ReplaceByRename(APath, Target, &Old, AData, AOps))
        WriteInPlace(APath, Target, AData, AOps);
}
