// SPDX-License-Identifier: GPL-3.0-or-later
#include "lexicon.h"

#include "anagramengine.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <limits>
#include <string_view>
#include <tuple>
#include <unordered_map>

namespace {

constexpr int MaxCount = std::numeric_limits<uint8_t>::max();
constexpr int ScarcityBits = 16;

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
    uint32_t Scarcity;
    bool bPersonal;
    uint32_t AlphabeticalRank;
};

// Only the first ACount need an order: a selection, then a sort of those.
template <typename TLess>
void TopInOrder(std::vector<TRanked>& AItems, std::size_t ACount, TLess ALess)
{
    if (ACount < AItems.size())
        std::nth_element(AItems.begin(), AItems.begin() + ACount, AItems.end(), ALess);
    std::sort(AItems.begin(), AItems.begin() + ACount, ALess);
}

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
    // max(a, b) == b exactly when a <= b. Without branches or an early exit
    // the loop compiles to a few vector instructions.
    uint8_t Over = 0;
    for (std::size_t I = 0; I < APart.size(); ++I)
        Over |= static_cast<uint8_t>(std::max(APart[I], AWhole[I]) ^ AWhole[I]);
    return Over == 0;
}

TLexicon::TLexicon(std::vector<TWord> AWords)
{
    // The counts as four machine words, mixed by multiplication: far cheaper
    // than hashing them as a string of bytes.
    const auto HashCounts = [](const TCounts& ACounts) {
        uint64_t Hash = 0;
        for (std::size_t I = 0; I < ACounts.size(); I += sizeof(uint64_t)) {
            uint64_t Part;
            std::memcpy(&Part, ACounts.data() + I, sizeof Part);
            Hash = (Hash ^ Part) * 0x9E3779B97F4A7C15u;
            Hash ^= Hash >> 29;
        }
        return static_cast<std::size_t>(Hash);
    };
    std::unordered_map<TCounts, uint32_t, decltype(HashCounts)> EntryOfCounts(AWords.size(),
                                                                              HashCounts);
    std::vector<uint32_t> EntryOfWord;
    std::vector<std::string> LettersOfWords;
    std::vector<TWord*> Kept;
    EntryOfWord.reserve(AWords.size());
    LettersOfWords.reserve(AWords.size());
    Kept.reserve(AWords.size());
    for (TWord& Word : AWords) {
        std::string Letters = LettersOfWord(Word.Text);
        TLetters Tally;
        for (char L : Letters)
            ++Tally[static_cast<char16_t>(L)];
        // Beyond what a count holds the word could not fit any sentence one
        // would type; with no letters it is no word.
        if (Letters.empty() || std::any_of(Letters.begin(), Letters.end(), [&](char L) {
                return Tally[static_cast<char16_t>(L)] > MaxCount;
            }))
            continue;
        const TCounts Counts = CountsOf(Tally);
        const auto [Found, bNew] =
            EntryOfCounts.try_emplace(Counts, static_cast<uint32_t>(FEntries.size()));
        if (bNew)
            FEntries.push_back(
                TEntry{Counts, MaskOf(Counts), static_cast<uint32_t>(Letters.size()), 0, 0});
        ++FEntries[Found->second].WordCount;
        EntryOfWord.push_back(Found->second);
        LettersOfWords.push_back(std::move(Letters));
        Kept.push_back(&Word);
    }

    std::vector<uint32_t> Alphabetical(Kept.size());
    for (uint32_t W = 0; W < Alphabetical.size(); ++W)
        Alphabetical[W] = W;
    std::sort(Alphabetical.begin(), Alphabetical.end(), [&](uint32_t A, uint32_t B) {
        if (LettersOfWords[A] != LettersOfWords[B])
            return LettersOfWords[A] < LettersOfWords[B];
        return Kept[A]->Text < Kept[B]->Text;
    });
    std::vector<uint32_t> RankOf(Kept.size());
    for (uint32_t R = 0; R < Alphabetical.size(); ++R)
        RankOf[Alphabetical[R]] = R;

    uint32_t First = 0;
    for (TEntry& Entry : FEntries) {
        Entry.FirstWord = First;
        First += Entry.WordCount;
    }
    // Grouped by entry, keeping the list's order within each.
    std::vector<uint32_t> Next(FEntries.size());
    for (std::size_t E = 0; E < FEntries.size(); ++E)
        Next[E] = FEntries[E].FirstWord;
    FWords.resize(Kept.size());
    for (std::size_t W = 0; W < Kept.size(); ++W)
        FWords[Next[EntryOfWord[W]]++] =
            TEntryWord{std::move(Kept[W]->Text), Kept[W]->bPersonal, RankOf[W]};
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
    // 1 / count in fixed point: a word that fits uses at most the count of
    // each letter, so its sum stays within 26 << ScarcityBits.
    std::array<uint32_t, std::tuple_size_v<TCounts>> Weight{};
    for (int I = 0; I < LetterCount; ++I)
        Weight[I] = Free[I] > 0 ? (1u << ScarcityBits) / Free[I] : 0;

    TWordMatches Matches;
    std::vector<TRanked> Ranked;
    for (const uint32_t E : AEntries) {
        const TEntry& Entry = FEntries[E];
        if (!EntryFits(Entry, Free, FreeMask) || (Entry.Mask & WantedMask) != WantedMask ||
            !Within(Wanted, Entry.Counts))
            continue;
        uint32_t Scarcity = 0;
        for (std::size_t I = 0; I < Weight.size(); ++I)
            Scarcity += Entry.Counts[I] * Weight[I];
        for (uint32_t W = Entry.FirstWord; W < Entry.FirstWord + Entry.WordCount; ++W)
            Ranked.push_back(TRanked{W, Entry.Length, Scarcity, FWords[W].bPersonal,
                                     FWords[W].AlphabeticalRank});
    }
    Matches.Count = Ranked.size();

    const auto Alphabetical = [](const TRanked& A, const TRanked& B) {
        return A.AlphabeticalRank < B.AlphabeticalRank;
    };
    const auto ByRank = [](const TRanked& A, const TRanked& B) {
        if (A.Length != B.Length)
            return A.Length > B.Length;
        if (A.Scarcity != B.Scarcity)
            return A.Scarcity > B.Scarcity;
        if (A.bPersonal != B.bPersonal)
            return A.bPersonal;
        return A.AlphabeticalRank < B.AlphabeticalRank;
    };
    const std::size_t Shown =
        AQuery.Limit == 0 ? Ranked.size() : std::min(AQuery.Limit, Ranked.size());
    if (AQuery.bAlphabetical)
        TopInOrder(Ranked, Shown, Alphabetical);
    else
        TopInOrder(Ranked, Shown, ByRank);
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
