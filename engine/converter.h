// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

// The calling thread's transliterating converter from UTF-16 to ASCII. Each
// thread gets its own, since a converter holds conversion state and a
// buffer: it is opened on the thread's first use and closed when the thread
// ends.
class TConverter
{
public:
    static TConverter& Instance();

    // Converts in one call into an output of 8 bytes per code unit. Returns
    // false when the converter reports failure. Out views a buffer of the
    // converter's that the next call reuses.
    bool Convert(std::u16string_view AText, std::string_view& Out);

    // For counting, where the order of the letters does not matter. ASCII
    // converts to itself and no character's rendering depends on its
    // neighbours, so in one pass over the text the ASCII code units are
    // counted by value into ABytes and only the others go through the
    // converter, into Out. Fails exactly when Convert of the whole text
    // would; ABytes then holds counts that must not be used.
    bool ConvertCounting(std::u16string_view AText, std::array<int32_t, 128>& ABytes,
                         std::string_view& Out);

    TConverter(const TConverter&) = delete;
    TConverter& operator=(const TConverter&) = delete;

private:
    TConverter();
    ~TConverter();

    void Reserve(std::size_t AUnits);
    std::size_t ConvertAsciiOnly(std::u16string_view AText);
    bool Run(const char16_t* AInput, std::size_t AUnits, std::size_t AOutputSpace,
             std::string_view& Out);

    void* FDescriptor; // iconv_t, or nullptr when it could not be opened
    void* FLocale;     // locale_t pinned around each call, or nullptr
    // Reused between calls so that a keystroke allocates nothing.
    std::unique_ptr<char16_t[]> FInput;
    std::unique_ptr<char[]> FOutput;
    std::size_t FCapacity = 0; // in code units
};
