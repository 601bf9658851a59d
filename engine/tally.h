// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "letters.h"

#include <string_view>

// Letter tallies as plain values, safe to use on any thread.

// How often each letter occurs in the normalisation of AText.
TLetters TallyOf(std::u16string_view AText);

// Whether every letter ANeeded counts is in AFree at least as often.
bool Fits(const TLetters& ANeeded, const TLetters& AFree);

// The letters still free in a tally of sentence minus attempt: its positive
// counts, so that letters used in excess do not hide what is left.
TLetters RemainderOf(const TLetters& ATally);

// The share of vowels among the letters of ARemainder, in whole percent
// rounded to nearest; 0 when it holds no letter.
int VowelPercent(const TLetters& ARemainder);
