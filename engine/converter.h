// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The process-wide transliterating converter from UTF-16 to ASCII. It is
// opened on first use and closed at process exit.
class TConverter
{
public:
    static TConverter& Instance();

    // Converts in one call into an output of 8 bytes per code unit. Returns
    // false when the converter reports failure; Out then holds nothing.
    bool Convert(std::u16string_view AText, std::string& Out);

    TConverter(const TConverter&) = delete;
    TConverter& operator=(const TConverter&) = delete;

private:
    TConverter();
    ~TConverter();

    bool ConvertAsciiOnly(std::u16string_view AText, std::string& Out) const;

    void* FDescriptor;  // iconv_t, or nullptr when it could not be opened
    void* FLocale;      // locale_t pinned around each call, or nullptr
    std::string FInput; // reused UCS-2LE input buffer
};
