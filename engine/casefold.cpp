// SPDX-License-Identifier: GPL-3.0-or-later
#include "casefold.h"

#include <algorithm>

#include <locale.h>
#include <wctype.h>

namespace {

static_assert(sizeof(wchar_t) == 4, "code points above U+FFFF are folded as one wchar_t");

bool IsHighSurrogate(char16_t C)
{
    return C >= 0xD800 && C <= 0xDBFF;
}

bool IsLowSurrogate(char16_t C)
{
    return C >= 0xDC00 && C <= 0xDFFF;
}

// The case tables of C.UTF-8 are glibc's Unicode data; the "C" locale knows
// only ASCII.
locale_t CaseLocale()
{
    static const locale_t Locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    return Locale;
}

char32_t FoldCodePoint(char32_t C)
{
    if (C < 0x80)
        return C >= U'A' && C <= U'Z' ? C + 0x20 : C;
    // Turkish dotted capital I and dotless small i have no simple folding;
    // the round trip below would make both an ordinary i.
    if (C == 0x130 || C == 0x131)
        return C;
    // Lower-casing the upper case joins what lower-casing alone leaves
    // apart: final sigma with sigma, long s with s, the Kelvin sign with k.
    const locale_t Locale = CaseLocale();
    const auto W = static_cast<wint_t>(C);
    const wint_t Folded =
        Locale ? towlower_l(towupper_l(W, Locale), Locale) : towlower(towupper(W));
    return static_cast<char32_t>(Folded);
}

} // namespace

char16_t FoldCase(char16_t C)
{
    if (IsHighSurrogate(C) || IsLowSurrogate(C))
        return C;
    const char32_t Folded = FoldCodePoint(C);
    // No simple folding leaves its plane; guard the narrowing all the same.
    return Folded <= 0xFFFF ? static_cast<char16_t>(Folded) : C;
}

std::u16string FoldCase(std::u16string_view AText)
{
    std::u16string Folded;
    Folded.reserve(AText.size());
    // Most words of a list are plain ASCII and fold without any lookup.
    if (std::all_of(AText.begin(), AText.end(), [](char16_t C) { return C < 0x80; })) {
        for (const char16_t C : AText)
            Folded.push_back(C >= u'A' && C <= u'Z' ? C + 0x20 : C);
        return Folded;
    }
    for (std::size_t I = 0; I < AText.size(); ++I) {
        const char16_t C = AText[I];
        if (!IsHighSurrogate(C) || I + 1 == AText.size() || !IsLowSurrogate(AText[I + 1])) {
            Folded.push_back(FoldCase(C));
            continue;
        }
        const char32_t Pair = 0x10000 + ((char32_t{C} - 0xD800) << 10) + (AText[++I] - 0xDC00);
        char32_t Result = FoldCodePoint(Pair);
        if (Result < 0x10000)
            Result = Pair;
        Folded.push_back(static_cast<char16_t>(0xD800 + ((Result - 0x10000) >> 10)));
        Folded.push_back(static_cast<char16_t>(0xDC00 + ((Result - 0x10000) & 0x3FF)));
    }
    return Folded;
}
