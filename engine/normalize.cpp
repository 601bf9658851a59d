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
    std::string_view Converted;
    if (!TConverter::Instance().Convert(AText, Converted))
        return {};
    std::u16string Result(Converted.size(), u'\0');
    std::size_t Length = 0;
    for (char Byte : Converted) {
        const char L = TAnagramEngine::Filter(Byte);
        if (L != 0)
            Result[Length++] = static_cast<char16_t>(L);
    }
    Result.resize(Length);
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
