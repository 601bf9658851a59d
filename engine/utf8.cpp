// SPDX-License-Identifier: GPL-3.0-or-later
#include "utf8.h"

namespace {

constexpr char16_t Replacement = 0xFFFD;

struct TByteRange
{
    unsigned char Low;
    unsigned char High;
};

constexpr TByteRange Continuation{0x80, 0xBF};

struct TSequence
{
    std::size_t Length;
    char32_t Bits;     // payload of the lead byte
    TByteRange Second; // narrowed where the lead alone would allow overlong
                       // forms, surrogates or code points above U+10FFFF
};

std::optional<TSequence> LeadByte(unsigned char B)
{
    if (B < 0x80)
        return TSequence{1, B, Continuation};
    if (B >= 0xC2 && B <= 0xDF)
        return TSequence{2, B & 0x1Fu, Continuation};
    if (B == 0xE0)
        return TSequence{3, B & 0x0Fu, {0xA0, 0xBF}};
    if (B == 0xED)
        return TSequence{3, B & 0x0Fu, {0x80, 0x9F}};
    if (B >= 0xE1 && B <= 0xEF)
        return TSequence{3, B & 0x0Fu, Continuation};
    if (B == 0xF0)
        return TSequence{4, B & 0x07u, {0x90, 0xBF}};
    if (B == 0xF4)
        return TSequence{4, B & 0x07u, {0x80, 0x8F}};
    if (B >= 0xF1 && B <= 0xF3)
        return TSequence{4, B & 0x07u, Continuation};
    return std::nullopt;
}

// A well-formed sequence gives its code point; an ill-formed one gives none,
// and Length then counts the lead byte and the continuation bytes that still
// fitted, so that the caller skips exactly that stretch.
struct TDecoded
{
    std::optional<char32_t> CodePoint;
    std::size_t Length;
};

TDecoded DecodeOne(std::string_view AText)
{
    const auto Sequence = LeadByte(static_cast<unsigned char>(AText[0]));
    if (!Sequence)
        return {std::nullopt, 1};
    char32_t CodePoint = Sequence->Bits;
    for (std::size_t K = 1; K < Sequence->Length; ++K) {
        const TByteRange Range = K == 1 ? Sequence->Second : Continuation;
        if (K >= AText.size())
            return {std::nullopt, K};
        const auto B = static_cast<unsigned char>(AText[K]);
        if (B < Range.Low || B > Range.High)
            return {std::nullopt, K};
        CodePoint = (CodePoint << 6) | (B & 0x3Fu);
    }
    return {CodePoint, Sequence->Length};
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

void AppendUtf8(char32_t CodePoint, std::string& Out)
{
    const auto Byte = [&](char32_t B) { Out.push_back(static_cast<char>(B)); };
    if (CodePoint < 0x80) {
        Byte(CodePoint);
    } else if (CodePoint < 0x800) {
        Byte(0xC0 | (CodePoint >> 6));
        Byte(0x80 | (CodePoint & 0x3F));
    } else if (CodePoint < 0x10000) {
        Byte(0xE0 | (CodePoint >> 12));
        Byte(0x80 | ((CodePoint >> 6) & 0x3F));
        Byte(0x80 | (CodePoint & 0x3F));
    } else {
        Byte(0xF0 | (CodePoint >> 18));
        Byte(0x80 | ((CodePoint >> 12) & 0x3F));
        Byte(0x80 | ((CodePoint >> 6) & 0x3F));
        Byte(0x80 | (CodePoint & 0x3F));
    }
}

bool IsHighSurrogate(char16_t C)
{
    return C >= 0xD800 && C <= 0xDBFF;
}

bool IsLowSurrogate(char16_t C)
{
    return C >= 0xDC00 && C <= 0xDFFF;
}

} // namespace

std::optional<std::u16string> Utf8ToUtf16(std::string_view AText)
{
    std::u16string Out;
    Out.reserve(AText.size());
    for (std::size_t I = 0; I < AText.size();) {
        const TDecoded Decoded = DecodeOne(AText.substr(I));
        if (!Decoded.CodePoint)
            return std::nullopt;
        AppendUtf16(*Decoded.CodePoint, Out);
        I += Decoded.Length;
    }
    return Out;
}

std::u16string Utf8ToUtf16Replacing(std::string_view AText)
{
    std::u16string Out;
    Out.reserve(AText.size());
    for (std::size_t I = 0; I < AText.size();) {
        const TDecoded Decoded = DecodeOne(AText.substr(I));
        AppendUtf16(Decoded.CodePoint.value_or(Replacement), Out);
        I += Decoded.Length;
    }
    return Out;
}

std::string Utf16ToUtf8(std::u16string_view AText)
{
    std::string Out;
    Out.reserve(AText.size());
    for (std::size_t I = 0; I < AText.size(); ++I) {
        const char16_t C = AText[I];
        if (IsHighSurrogate(C) && I + 1 < AText.size() && IsLowSurrogate(AText[I + 1])) {
            AppendUtf8(0x10000 + ((C - 0xD800) << 10) + (AText[I + 1] - 0xDC00), Out);
            ++I;
        } else if (IsHighSurrogate(C) || IsLowSurrogate(C)) {
            AppendUtf8(Replacement, Out);
        } else {
            AppendUtf8(C, Out);
        }
    }
    return Out;
}
