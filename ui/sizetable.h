// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

// Font sizes (points) and the board's height (pixels) for the three
// font-size steps of the settings.
struct TSizeRow
{
    int BoardSize;     // board labels of a letter whose count is not zero
    int BoardZeroSize; // board labels of a letter whose count is zero
    int TextSize;      // sentence box, anagram editor, residual lines
    int BoardHeight;   // the grid of letter labels
};

inline constexpr std::array<TSizeRow, 3> SizeTable{{
    {12, 8, 11, 70},
    {15, 10, 14, 80},
    {18, 12, 16, 90},
}};
