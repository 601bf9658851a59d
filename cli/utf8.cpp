// SPDX-License-Identifier: GPL-3.0-or-later
#include "utf8.h"

namespace {

struct TSequence
{
    int Length;
    char32_t Minimum; // smallest code point this length may encode
    char32_t Bits;    // payload of the lead byte
};

std::optional<TSequence> LeadByte(unsigned char B)
{
    if (B < 0x80)
        return TSequence{1, 0, B};
    if ((B & 0xE0) == 0xC0)
        return TSequence{2, 0x80, B & 0x1Fu};
    if ((B & 0xF0) == 0xE0)
        return TSequence{3, 0x800, B & 0x0Fu};
    if ((B & 0xF8) == 0xF0)
        return TSequence{4, 0x10000, B & 0x07u};
    return std::nullopt;
}

void AppendUtf16(char32_t CodePoint, std::u16string& Out)
{
    if (CodePoint < 0x10000) {
        Out.push_back(static_cast<char16_t>(CodePoint));
        return;
    }
    CodePoint -= 0x10000;
    Out.push_back(static_cast<char16_t>(0xD800 + (CodePoint >> 10)));
    Out.push_back(static_cast<char16_t>(0xDC00 + (CodePoint & 0x3FF)));
}

} // namespace

std::optional<std::u16string> Utf8ToUtf16(std::string_view AText)
{
    std::u16string Out;
    Out.reserve(AText.size());
    for (std::size_t I = 0; I < AText.size();) {
        const auto Sequence = LeadByte(static_cast<unsigned char>(AText[I]));
        if (!Sequence || I + Sequence->Length > AText.size())
            return std::nullopt;
        char32_t CodePoint = Sequence->Bits;
        for (int K = 1; K < Sequence->Length; ++K) {
            const auto B = static_cast<unsigned char>(AText[I + K]);
            if ((B & 0xC0) != 0x80)
                return std::nullopt;
            CodePoint = (CodePoint << 6) | (B & 0x3Fu);
        }
        if (CodePoint < Sequence->Minimum || CodePoint > 0x10FFFF ||
            (CodePoint >= 0xD800 && CodePoint <= 0xDFFF))
            return std::nullopt;
        AppendUtf16(CodePoint, Out);
        I += Sequence->Length;
    }
    return Out;
}
