// SPDX-License-Identifier: GPL-3.0-or-later
#include "anagramengine.h"
#include "converter.h"

#include <array>

namespace {

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

std::u16string TAnagramEngine::Normalize(char16_t AChar)
{
    return LettersOf(std::u16string_view(&AChar, 1));
}

std::u16string TAnagramEngine::Normalize(std::u16string_view AString)
{
    return LettersOf(AString);
}

void TAnagramEngine::CountLetters(std::u16string_view AText, int32_t AStep, TLetters& ALetters)
{
    if (AText.empty())
        return;
    // Counting every ASCII value first keeps the loops over a long text free
    // of branches; the letters among them are picked out once.
    std::array<int32_t, 128> Bytes{};
    std::string_view Converted;
    if (!TConverter::Instance().ConvertCounting(AText, Bytes, Converted))
        return;
    for (const char Byte : Converted) {
        // The converter writes ASCII only; anything else would be no letter.
        const auto Value = static_cast<unsigned char>(Byte);
        if (Value < Bytes.size())
            ++Bytes[Value];
    }
    for (std::size_t B = 0; B < Bytes.size(); ++B)
        if (const char L = Filter(static_cast<char>(B)); L != 0)
            ALetters[static_cast<char16_t>(L)] += AStep * Bytes[B];
}
