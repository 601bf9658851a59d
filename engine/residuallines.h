// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class TAnagramEngine;

// The two lines of letters still to be placed, as the letter board shows
// them: one group per letter, the letter repeated by its count, in the
// engine's letter order; "--" when a line has none.
struct TResidualLines
{
    std::u16string Vowels;
    std::u16string Consonants;
};

TResidualLines BuildResidualLines(const TAnagramEngine& AEngine);
