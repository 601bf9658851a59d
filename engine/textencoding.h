// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// The encodings of the text files that older releases and other editors
// leave behind.
enum class TTextEncoding
{
    teUtf16Le,     // after the mark FF FE
    teUtf8Marked,  // after the mark EF BB BF; damaged bytes are tolerated
    teUtf8,        // no mark, valid UTF-8 throughout
    teWindows1252, // no mark, anything else
};

// Which of the encodings above ABytes are in.
TTextEncoding DetectTextEncoding(std::string_view ABytes);
// The byte-order mark that starts a text in AEncoding; empty when it has none.
std::string_view ByteOrderMark(TTextEncoding AEncoding);

// Decodes the bytes of a text file written by an older release, which may be
// UTF-16LE or UTF-8 after a byte-order mark, UTF-8 without one, or the
// Windows-1252 of the machine that wrote it. The byte-order mark is dropped.
std::u16string DecodeText(std::string_view ABytes);
// Decodes bytes that follow the mark, if any, of a text in AEncoding.
std::u16string DecodeTextAs(std::string_view ABytes, TTextEncoding AEncoding);
// The bytes of AText in AEncoding, without a mark. Windows-1252 has no room
// for most characters; each of those becomes '?'.
std::string EncodeTextAs(std::u16string_view AText, TTextEncoding AEncoding);
