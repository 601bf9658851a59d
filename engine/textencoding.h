// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// Decodes the bytes of a text file written by an older release, which may be
// UTF-16LE or UTF-8 after a byte-order mark, UTF-8 without one, or the
// Windows-1252 of the machine that wrote it. The byte-order mark is dropped.
std::u16string DecodeText(std::string_view ABytes);
