// SPDX-License-Identifier: GPL-3.0-or-later
#include "anagramengine.h"
#include "converter.h"

namespace {

template <typename TChar> TChar FilterLetter(TChar C)
{
    if (C >= 'A' && C <= 'Z')
        return C;
    if (C >= 'a' && C <= 'z')
        return static_cast<TChar>(C - 0x20);
    return 0;
}

std::u16string LettersOf(std::u16string_view AText)
{
    static std::string Converted;
    std::u16string Result;
    if (!TConverter::Instance().Convert(AText, Converted))
        return Result;
    for (char Byte : Converted) {
        const char L = TAnagramEngine::Filter(Byte);
        if (L != 0)
            Result.push_back(static_cast<char16_t>(L));
    }
    return Result;
}

} // namespace

char16_t TAnagramEngine::Filter(char16_t C)
{
    return FilterLetter(C);
}

char TAnagramEngine::Filter(char C)
{
    return FilterLetter(C);
}

std::u16string TAnagramEngine::Normalize(char16_t AChar)
{
    return LettersOf(std::u16string_view(&AChar, 1));
}

std::u16string TAnagramEngine::Normalize(std::u16string_view AString)
{
    return LettersOf(AString);
}
