// SPDX-License-Identifier: GPL-3.0-or-later
#include "lexicon.h"

#include "anagramengine.h"

#include <algorithm>
#include <limits>
#include <unordered_map>

namespace {

constexpr int MaxCount = std::numeric_limits<uint8_t>::max();

// ASCII converts to itself, so most words of a list never need the
// converter; the rest go through the engine's own normalisation.
std::string LettersOfWord(std::u16string_view AWord)
{
    const bool bAscii =
        std::all_of(AWord.begin(), AWord.end(), [](char16_t C) { return C < 0x80; });
    const std::u16string Normalized = bAscii ? std::u16string() : TAnagramEngine::Normalize(AWord);
    std::string Letters;
    for (char16_t C : bAscii ? AWord : std::u16string_view(Normalized))
        if (const char16_t L = FilterLetter(C); L != 0)
            Letters.push_back(static_cast<char>(L));
    return Letters;
}

struct TRanked
{
    uint32_t Word;
    uint32_t Length;
    double Scarcity;
};

} // namespace

TLexicon::TCounts TLexicon::CountsOf(const TLetters& ALetters)
{
    TCounts Counts{};
    for (char16_t L = u'A'; L <= u'Z'; ++L)
        Counts[L - u'A'] = static_cast<uint8_t>(std::clamp(ALetters[L], 0, MaxCount));
    return Counts;
}

uint32_t TLexicon::MaskOf(const TCounts& ACounts)
{
    uint32_t Mask = 0;
    for (int I = 0; I < LetterCount; ++I)
        if (ACounts[I] > 0)
            Mask |= 1u << I;
    return Mask;
}

bool TLexicon::Within(const TCounts& APart, const TCounts& AWhole)
{
    // No early exit, so that the loop compiles to a vector compare.
    bool bWithin = true;
    for (std::size_t I = 0; I < APart.size(); ++I)
        bWithin &= APart[I] <= AWhole[I];
    return bWithin;
}

TLexicon::TLexicon(const std::vector<TWord>& AWords)
{
    std::unordered_map<std::string, uint32_t> EntryOfLetters;
    std::vector<uint32_t> EntryOfWord;
    std::vector<TEntryWord> Words;
    for (const TWord& Word : AWords) {
        std::string Letters = LettersOfWord(Word.Text);
        std::string Sorted = Letters;
        std::sort(Sorted.begin(), Sorted.end());
        TLetters Tally;
        for (char L : Letters)
            ++Tally[static_cast<char16_t>(L)];
        const TCounts Counts = CountsOf(Tally);
        // Beyond what a count holds the word could not fit any sentence one
        // would type; with no letters it is no word.
        if (Letters.empty() || std::any_of(Letters.begin(), Letters.end(), [&](char L) {
                return Tally[static_cast<char16_t>(L)] > MaxCount;
            }))
            continue;
        const auto [Found, bNew] =
            EntryOfLetters.try_emplace(std::move(Sorted), static_cast<uint32_t>(FEntries.size()));
        if (bNew)
            FEntries.push_back(TEntry{Counts, MaskOf(Counts), static_cast<uint32_t>(Letters.size()), 0, 0});
        ++FEntries[Found->second].WordCount;
        EntryOfWord.push_back(Found->second);
        Words.push_back(TEntryWord{Word.Text, std::move(Letters), Word.bPersonal});
    }
    uint32_t First = 0;
    for (TEntry& Entry : FEntries) {
        Entry.FirstWord = First;
        First += Entry.WordCount;
    }
    // Grouped by entry, keeping the list's order within each.
    std::vector<uint32_t> Next(FEntries.size());
    for (std::size_t E = 0; E < FEntries.size(); ++E)
        Next[E] = FEntries[E].FirstWord;
    FWords.resize(Words.size());
    for (std::size_t W = 0; W < Words.size(); ++W)
        FWords[Next[EntryOfWord[W]]++] = std::move(Words[W]);
}

bool TLexicon::EntryFits(const TEntry& AEntry, const TCounts& AFree, uint32_t AFreeMask)
{
    return (AEntry.Mask & ~AFreeMask) == 0 && Within(AEntry.Counts, AFree);
}

TWordMatches TLexicon::Find(const TWordQuery& AQuery) const
{
    std::vector<uint32_t> All(FEntries.size());
    for (uint32_t E = 0; E < All.size(); ++E)
        All[E] = E;
    return FindAmong(All, AQuery);
}

template <typename TIndices>
TWordMatches TLexicon::FindAmong(const TIndices& AEntries, const TWordQuery& AQuery) const
{
    const TCounts Free = CountsOf(AQuery.Remainder);
    const uint32_t FreeMask = MaskOf(Free);
    const TCounts Wanted = CountsOf(AQuery.Contains);
    const uint32_t WantedMask = MaskOf(Wanted);
    std::array<double, LetterCount> Weight{};
    for (int I = 0; I < LetterCount; ++I)
        Weight[I] = Free[I] > 0 ? 1.0 / Free[I] : 0.0;

    TWordMatches Matches;
    std::vector<TRanked> Ranked;
    for (const uint32_t E : AEntries) {
        const TEntry& Entry = FEntries[E];
        if (!EntryFits(Entry, Free, FreeMask) || (Entry.Mask & WantedMask) != WantedMask ||
            !Within(Wanted, Entry.Counts))
            continue;
        double Scarcity = 0;
        for (int I = 0; I < LetterCount; ++I)
            Scarcity += Entry.Counts[I] * Weight[I];
        for (uint32_t W = Entry.FirstWord; W < Entry.FirstWord + Entry.WordCount; ++W)
            Ranked.push_back(TRanked{W, Entry.Length, Scarcity});
    }
    Matches.Count = Ranked.size();

    const auto Alphabetical = [&](const TRanked& A, const TRanked& B) {
        const TEntryWord& WA = FWords[A.Word];
        const TEntryWord& WB = FWords[B.Word];
        if (WA.Letters != WB.Letters)
            return WA.Letters < WB.Letters;
        return WA.Text < WB.Text;
    };
    const auto ByRank = [&](const TRanked& A, const TRanked& B) {
        if (A.Length != B.Length)
            return A.Length > B.Length;
        if (A.Scarcity != B.Scarcity)
            return A.Scarcity > B.Scarcity;
        if (FWords[A.Word].bPersonal != FWords[B.Word].bPersonal)
            return FWords[A.Word].bPersonal;
        return Alphabetical(A, B);
    };
    const std::size_t Shown =
        AQuery.Limit == 0 ? Ranked.size() : std::min(AQuery.Limit, Ranked.size());
    if (AQuery.bAlphabetical)
        std::partial_sort(Ranked.begin(), Ranked.begin() + Shown, Ranked.end(), Alphabetical);
    else
        std::partial_sort(Ranked.begin(), Ranked.begin() + Shown, Ranked.end(), ByRank);
    Matches.Words.reserve(Shown);
    for (std::size_t I = 0; I < Shown; ++I)
        Matches.Words.push_back(FWords[Ranked[I].Word].Text);
    return Matches;
}

TSentenceView::TSentenceView(const TLexicon& ALexicon, const TLetters& ASentence)
    : FLexicon(ALexicon)
{
    const TLexicon::TCounts Free = TLexicon::CountsOf(ASentence);
    const uint32_t FreeMask = TLexicon::MaskOf(Free);
    for (uint32_t E = 0; E < ALexicon.FEntries.size(); ++E)
        if (TLexicon::EntryFits(ALexicon.FEntries[E], Free, FreeMask))
            FEntries.push_back(E);
}

TWordMatches TSentenceView::Find(const TWordQuery& AQuery) const
{
    return FLexicon.FindAmong(FEntries, AQuery);
}
