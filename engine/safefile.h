// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <sys/types.h>

// The system calls that saving makes and that can fail part way; tests
// replace them to make a write fall short or to refuse unnamed files.
class TFileOps
{
public:
    virtual ~TFileOps() = default;
    virtual ssize_t Write(int AFd, const char* AData, std::size_t ASize);
    virtual int Sync(int AFd);
    // Opens a file without a name in AFolder (O_TMPFILE), to be named once
    // complete. Fails with EOPNOTSUPP, EISDIR or EINVAL where the system
    // cannot, and the save then uses a named temporary file.
    virtual int OpenUnnamed(const char* AFolder, mode_t AMode);

    static TFileOps& System();
};

// Replaces the file with AData so that either the old or the new content
// survives any failure or crash: the new content goes to a file without a
// name in the same folder (or, where the file system has none, to a short
// hidden temporary name), is synced, named and renamed over the target, then
// the folder is synced. A failed save leaves no temporary file behind. Nor
// does a killed one, unless the file system has no files without a name or
// the kill falls between naming the file and the rename.
//
// A symbolic link is written through and kept; the target's permission bits
// and owner are kept; a new file gets 0666 less the umask. Only a regular
// file or no file is replaced, and only when the caller may write to it.
//
// Where a rename would change what the file is, the old file is truncated and
// written in place instead, which is not atomic: when it has more than one
// hard link, when the new file could not be given the old one's owner and
// group, or when the folder refuses new files but the file itself is
// writable. A failure part way through such a write loses the old content.
//
// Throws EFCreateError naming APath.
void WriteFileAtomically(const std::string& APath, std::string_view AData,
                         TFileOps& AOps = TFileOps::System());
