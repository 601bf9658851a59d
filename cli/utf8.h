// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Strict UTF-8 decoding: overlong forms, encoded surrogates, code points
// above U+10FFFF and truncated sequences give no result.
std::optional<std::u16string> Utf8ToUtf16(std::string_view AText);
