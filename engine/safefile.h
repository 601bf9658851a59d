// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <sys/types.h>

// The system calls that saving makes and that can fail part way; tests
// replace them to make a write fall short.
class TFileOps
{
public:
    virtual ~TFileOps() = default;
    virtual ssize_t Write(int AFd, const char* AData, std::size_t ASize);
    virtual int Sync(int AFd);

    static TFileOps& System();
};

// Replaces the file with AData so that either the old or the new content
// survives any failure or crash: a temporary file in the same folder is
// written, synced and renamed over the target, then the folder is synced.
// A symbolic link is written through and kept; the target's permission bits
// are kept. Throws EFCreateError naming APath; no temporary file remains.
void WriteFileAtomically(const std::string& APath, std::string_view AData,
                         TFileOps& AOps = TFileOps::System());
