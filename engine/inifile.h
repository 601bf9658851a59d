// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// A read-only INI document, read the way the Windows private-profile
// functions read the files older releases wrote.
class TIniFile
{
public:
    // The old reader's buffer held this many code units before its NUL.
    static constexpr std::size_t MaxValueLength = 2047;

    explicit TIniFile(std::u16string_view AText);

    // Value of the first entry named AKey in the first section named ASection;
    // ADefault when missing.
    std::u16string ReadString(std::u16string_view ASection, std::u16string_view AKey,
                              std::u16string_view ADefault) const;
    // The values of every entry of every section named ASection, in file
    // order, duplicate keys included.
    std::vector<std::u16string> ReadSectionValues(std::u16string_view ASection) const;

private:
    // Names are kept case-folded: they are only ever compared.
    struct TEntry
    {
        std::u16string Section;
        std::u16string Key;
        std::u16string Value;
    };

    std::vector<TEntry> FEntries;
};

// The bytes of an INI file with one entry set, every other byte as it was:
// the value of the entry that TIniFile would read is replaced; a missing
// entry is added after the last entry of the first section of that name, or
// with a new section at the end. New lines take the file's line end and
// encoding. AKey and AValue are written as they stand, on one line.
std::string WriteIniString(std::string_view ABytes, std::u16string_view ASection,
                           std::u16string_view AKey, std::u16string_view AValue);
