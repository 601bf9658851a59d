// SPDX-License-Identifier: GPL-3.0-or-later
#include "textencoding.h"

#include "utf8.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace {

constexpr std::string_view Utf16LeMark = "\xFF\xFE";
constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";

// 0x80..0x9F; the five bytes Windows-1252 leaves undefined keep their own
// value, as the Windows conversion does.
constexpr std::array<char16_t, 32> Windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::u16string DecodeUtf16Le(std::string_view ABytes)
{
    std::u16string Out;
    Out.reserve(ABytes.size() / 2);
    for (std::size_t I = 0; I + 1 < ABytes.size(); I += 2) {
        const auto Low = static_cast<unsigned char>(ABytes[I]);
        const auto High = static_cast<unsigned char>(ABytes[I + 1]);
        Out.push_back(static_cast<char16_t>(Low | (High << 8)));
    }
    return Out;
}

std::u16string DecodeWindows1252(std::string_view ABytes)
{
    std::u16string Out;
    Out.reserve(ABytes.size());
    for (const char C : ABytes) {
        const auto B = static_cast<unsigned char>(C);
        Out.push_back(B >= 0x80 && B <= 0x9F ? Windows1252High[B - 0x80] : char16_t{B});
    }
    return Out;
}

std::string EncodeUtf16Le(std::u16string_view AText)
{
    std::string Out;
    Out.reserve(AText.size() * 2);
    for (const char16_t C : AText) {
        Out.push_back(static_cast<char>(C & 0xFF));
        Out.push_back(static_cast<char>(C >> 8));
    }
    return Out;
}

char EncodeWindows1252(char16_t C)
{
    if (C < 0x80 || (C >= 0xA0 && C <= 0xFF))
        return static_cast<char>(C);
    const auto Found = std::find(Windows1252High.begin(), Windows1252High.end(), C);
    if (Found == Windows1252High.end())
        return '?';
    return static_cast<char>(0x80 + (Found - Windows1252High.begin()));
}

std::string EncodeWindows1252(std::u16string_view AText)
{
    std::string Out;
    Out.reserve(AText.size());
    for (const char16_t C : AText)
        Out.push_back(EncodeWindows1252(C));
    return Out;
}

} // namespace

TTextEncoding DetectTextEncoding(std::string_view ABytes)
{
    if (ABytes.starts_with(Utf16LeMark))
        return TTextEncoding::teUtf16Le;
    if (ABytes.starts_with(Utf8Mark))
        return TTextEncoding::teUtf8Marked;
    return Utf8ToUtf16(ABytes) ? TTextEncoding::teUtf8 : TTextEncoding::teWindows1252;
}

std::string_view ByteOrderMark(TTextEncoding AEncoding)
{
    switch (AEncoding) {
    case TTextEncoding::teUtf16Le:
        return Utf16LeMark;
    case TTextEncoding::teUtf8Marked:
        return Utf8Mark;
    default:
        return {};
    }
}

std::u16string DecodeText(std::string_view ABytes)
{
    // Unmarked UTF-8 is learnt by decoding it; that decoding is the result,
    // so a large list is not decoded twice.
    if (!ABytes.starts_with(Utf16LeMark) && !ABytes.starts_with(Utf8Mark))
        if (std::optional<std::u16string> Decoded = Utf8ToUtf16(ABytes))
            return std::move(*Decoded);
    const TTextEncoding Encoding = DetectTextEncoding(ABytes);
    return DecodeTextAs(ABytes.substr(ByteOrderMark(Encoding).size()), Encoding);
}

std::u16string DecodeTextAs(std::string_view ABytes, TTextEncoding AEncoding)
{
    switch (AEncoding) {
    case TTextEncoding::teUtf16Le:
        return DecodeUtf16Le(ABytes);
    case TTextEncoding::teWindows1252:
        return DecodeWindows1252(ABytes);
    default:
        return Utf8ToUtf16Replacing(ABytes);
    }
}

std::string EncodeTextAs(std::u16string_view AText, TTextEncoding AEncoding)
{
    switch (AEncoding) {
    case TTextEncoding::teUtf16Le:
        return EncodeUtf16Le(AText);
    case TTextEncoding::teWindows1252:
        return EncodeWindows1252(AText);
    default:
        return Utf16ToUtf8(AText);
    }
}
