// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// 1,000-character texts of the kinds users type.
const std::u16string& AsciiText();
const std::u16string& ItalianText();
// Mostly plain letters with an accented one now and then.
const std::u16string& MixedText();
