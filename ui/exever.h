// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>

// The fixed part of a program's version record: the file version as two
// 32-bit words of two 16-bit parts each (the more significant part in the
// high half), and which flags are meaningful and which are set.
struct TFixedFileInfo
{
    std::uint32_t FileVersionMS = 0;
    std::uint32_t FileVersionLS = 0;
    std::uint32_t FileFlagsMask = 0;
    std::uint32_t FileFlags = 0;
};

// The values are the classic ones, so a record reads the same everywhere.
namespace FileFlag {
constexpr std::uint32_t Debug = 0x01;
constexpr std::uint32_t Prerelease = 0x02;
constexpr std::uint32_t Patched = 0x04;
constexpr std::uint32_t PrivateBuild = 0x08;
constexpr std::uint32_t SpecialBuild = 0x20;
constexpr std::uint32_t AllFlags = 0x3F;
} // namespace FileFlag

// The record the build attached to this program; never null.
const TFixedFileInfo* ProgramVersionInfo();

// "1.2.3.4", followed by the flags set in both words, e.g.
// "1.2.3.4 debug,patched"; "<no version info available>" for null.
QString VersionStringOf(const TFixedFileInfo* AInfo);

// The version text of the running program.
QString GetVersionString();
