// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Strict UTF-8 decoding: overlong forms, encoded surrogates, code points
// above U+10FFFF and truncated sequences give no result.
std::optional<std::u16string> Utf8ToUtf16(std::string_view AText);

// Lenient UTF-8 decoding for text that claims to be UTF-8 but may be damaged:
// each longest ill-formed stretch that could still have begun a sequence
// becomes one U+FFFD, and decoding goes on after it.
std::u16string Utf8ToUtf16Replacing(std::string_view AText);

// An unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view AText);
