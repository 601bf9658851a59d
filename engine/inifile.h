// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
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

    // ASection is the folded name of the section the line stands in, if any.
    void ParseLine(std::u16string_view ALine, std::optional<std::u16string>& ASection);

    std::vector<TEntry> FEntries;
};
