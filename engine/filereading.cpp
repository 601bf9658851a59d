// SPDX-License-Identifier: GPL-3.0-or-later
#include "filereading.h"

#include "filedescriptor.h"
#include "fileerror.h"
#include "hugepages.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <utility>

std::string ReadWholeFile(const std::string& APath)
{
    std::optional<std::string> Content = ReadFileIfExists(APath);
    if (!Content)
        throw EFOpenError(APath, ENOENT);
    return std::move(*Content);
}

std::optional<std::string> ReadFileIfExists(const std::string& APath)
{
    // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come.
    const TFd Fd(::open(APath.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (Fd.Get() < 0 && errno == ENOENT)
        return std::nullopt;
    if (Fd.Get() < 0)
        throw EFOpenError(APath, errno);
    struct stat Info;
    if (::fstat(Fd.Get(), &Info) != 0)
        throw EFOpenError(APath, errno);
    if (S_ISDIR(Info.st_mode))
        throw EFOpenError(APath, EISDIR);
    // Only a regular file has a size to read up to: a pipe may never end and
    // /dev/zero never does.
    if (!S_ISREG(Info.st_mode))
        throw EFOpenError(APath, "Not a regular file");

    const auto Size = static_cast<std::size_t>(Info.st_size);
    std::string Content;
    Content.reserve(Size);
    AdviseHugePages(Content.data(), Size);
    Content.resize(Size);
    std::size_t Filled = 0;
    while (Filled < Content.size()) {
        const ssize_t Read = ::read(Fd.Get(), Content.data() + Filled, Content.size() - Filled);
        if (Read < 0 && errno == EINTR)
            continue;
        if (Read < 0)
            throw EFOpenError(APath, errno);
        if (Read == 0)
            break; // the file was cut short since fstat
        Filled += static_cast<std::size_t>(Read);
    }
    Content.resize(Filled);
    return Content;
}
