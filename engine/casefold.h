// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// Upper-cases ASCII and Latin-1 letters: enough for the names and attempt
// texts that old files hold, and independent of the user's locale.
char16_t FoldCase(char16_t C);
std::u16string FoldCase(std::u16string_view AText);
