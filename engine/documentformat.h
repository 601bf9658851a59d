// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "letters.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A document as read from a file, before it replaces anything in the engine.
struct TDocument
{
    std::u16string Sentence;
    // None for the legacy layout, which stores no order: the engine keeps its own.
    std::optional<TLetterOrder> Order;
    // Never empty: a document without attempts reads as one empty attempt.
    std::vector<std::u16string> Attempts;
};

// Whether the bytes carry one of the two byte-layout signatures.
bool IsByteLayout(std::string_view ABytes);

// Reads the current or the earlier byte layout. Throws EDocumentError naming
// APath, what is wrong and where, for a file that is cut short or holds an
// impossible length.
TDocument ParseByteLayout(std::string_view ABytes, const std::string& APath);

// Reads the old INI-style layout; it has no way to be malformed.
TDocument ParseLegacyLayout(std::string_view ABytes);

// The current byte layout.
std::string SerializeByteLayout(const TLetterOrder& AOrder, std::u16string_view ASentence,
                                const std::vector<std::u16string_view>& AAttempts);
