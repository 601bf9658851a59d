// SPDX-License-Identifier: GPL-3.0-or-later
#include "tally.h"

#include "anagram.h"

TLetters TallyOf(std::u16string_view AText)
{
    TLetters Tally;
    TAnagram::ProcessString(AText, true, Tally);
    return Tally;
}

bool Fits(const TLetters& ANeeded, const TLetters& AFree)
{
    for (char16_t L = u'A'; L <= u'Z'; ++L)
        if (ANeeded[L] > 0 && AFree[L] < ANeeded[L])
            return false;
    return true;
}

TLetters RemainderOf(const TLetters& ATally)
{
    TLetters Remainder;
    for (char16_t L = u'A'; L <= u'Z'; ++L)
        Remainder[L] = ATally[L] > 0 ? ATally[L] : 0;
    return Remainder;
}

int VowelPercent(const TLetters& ARemainder)
{
    int64_t Vowels = 0;
    int64_t All = 0;
    for (char16_t L = u'A'; L <= u'Z'; ++L) {
        const int64_t Count = ARemainder[L] > 0 ? ARemainder[L] : 0;
        All += Count;
        if (IsVowel(L))
            Vowels += Count;
    }
    return All == 0 ? 0 : static_cast<int>((Vowels * 200 + All) / (All * 2));
}
