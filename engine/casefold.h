// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// Unicode simple case folding, the same whatever the user's locale: two
// texts equal without regard to letter case fold to the same text. A
// surrogate code unit on its own folds to itself; the string overload folds
// the character a surrogate pair stands for.
char16_t FoldCase(char16_t C);
std::u16string FoldCase(std::u16string_view AText);
