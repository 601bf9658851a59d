// SPDX-License-Identifier: GPL-3.0-or-later
#include "casefold.h"

char16_t FoldCase(char16_t C)
{
    const bool Lower = (C >= u'a' && C <= u'z') || (C >= 0xE0 && C <= 0xFE && C != 0xF7);
    return Lower ? static_cast<char16_t>(C - 0x20) : C;
}

std::u16string FoldCase(std::u16string_view AText)
{
    std::u16string Folded(AText);
    for (char16_t& C : Folded)
        C = FoldCase(C);
    return Folded;
}
