// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "letters.h"
#include "wordlist.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// What to look for among the words of a lexicon. Plain values, so that a
// question can be handed to a worker thread.
struct TWordQuery
{
    // The letters free; counts below zero are taken as zero.
    TLetters Remainder;
    // Only the words that hold at least these letters.
    TLetters Contains;
    bool bAlphabetical = false;
    // How many words to return at most; 0 for all.
    std::size_t Limit = 0;
};

struct TWordMatches
{
    // All the words that fit, however many are returned.
    std::size_t Count = 0;
    std::vector<std::u16string> Words;
};

// The words of a word list indexed by their letters, built once and never
// changed after, so that any number of threads may search it at once.
//
// Ranking: longer words (in letters) first; among words of one length, the
// ones using the scarcest letters of the remainder first, scarcity being the
// sum over the word's letters of 1 / (that letter's count in the
// remainder, in steps of 1/65536); then personal words before the others;
// then alphabetically.
// Alphabetical order compares the words' letters A to Z, then their spelling.
class TLexicon
{
public:
    explicit TLexicon(std::vector<TWord> AWords);

    std::size_t WordCount() const { return FWords.size(); }
    TWordMatches Find(const TWordQuery& AQuery) const;

private:
    friend class TSentenceView;

    // A count per letter A to Z, padded so that comparing two is one
    // vector operation.
    using TCounts = std::array<uint8_t, 32>;

    // One distinct set of letters and the words spelt with it.
    struct TEntry
    {
        TCounts Counts;
        uint32_t Mask;
        uint32_t Length;
        uint32_t FirstWord;
        uint32_t WordCount;
    };

    struct TEntryWord
    {
        std::u16string Text;
        bool bPersonal;
        // Position in alphabetical order, so that ranking compares numbers.
        uint32_t AlphabeticalRank;
    };

    static TCounts CountsOf(const TLetters& ALetters);
    static uint32_t MaskOf(const TCounts& ACounts);
    static bool Within(const TCounts& APart, const TCounts& AWhole);
    static bool EntryFits(const TEntry& AEntry, const TCounts& AFree, uint32_t AFreeMask);
    template <typename TIndices>
    TWordMatches FindAmong(const TIndices& AEntries, const TWordQuery& AQuery) const;

    std::vector<TEntry> FEntries;
    // Grouped by entry, in the order each entry lists them.
    std::vector<TEntryWord> FWords;
};

// The entries of a lexicon that fit one sentence: what is scanned at each
// keystroke while the sentence stays. A remainder asked of it must lie
// within the sentence's letters. The lexicon must outlive the view.
class TSentenceView
{
public:
    TSentenceView(const TLexicon& ALexicon, const TLetters& ASentence);

    std::size_t EntryCount() const { return FEntries.size(); }
    TWordMatches Find(const TWordQuery& AQuery) const;

private:
    const TLexicon& FLexicon;
    std::vector<uint32_t> FEntries;
};
