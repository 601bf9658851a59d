// SPDX-License-Identifier: GPL-3.0-or-later
#include "anagramengine.h"
#include "lexicon.h"
#include "tally.h"
#include "wordlist.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace {

using TWords = std::vector<std::u16string>;

TLetters Letters(std::u16string_view AUpper)
{
    TLetters Result;
    for (char16_t L : AUpper)
        ++Result[L];
    return Result;
}

std::vector<TWord> FixtureWords()
{
    TWordList List;
    List.AddListFile(std::string(VERBANTO_WORDS_DIR) + "/italiano-crlf.txt");
    return List.Words();
}

TWordQuery QueryFor(std::u16string_view ARemainder, std::size_t ALimit = 0)
{
    TWordQuery Query;
    Query.Remainder = Letters(ARemainder);
    Query.Limit = ALimit;
    return Query;
}

// The words that fit, found the plain way: a word fits when its sorted
// letters are a sub-multiset of the remainder's sorted letters.
TWords ReferenceFit(const std::vector<TWord>& AWords, std::u16string ARemainder)
{
    std::sort(ARemainder.begin(), ARemainder.end());
    TWords Result;
    for (const TWord& Word : AWords) {
        std::u16string Needed = TAnagramEngine::Normalize(Word.Text);
        std::sort(Needed.begin(), Needed.end());
        if (std::includes(ARemainder.begin(), ARemainder.end(), Needed.begin(), Needed.end()))
            Result.push_back(Word.Text);
    }
    std::sort(Result.begin(), Result.end());
    return Result;
}

TWords Sorted(TWords AWords)
{
    std::sort(AWords.begin(), AWords.end());
    return AWords;
}

struct TFitCase
{
    std::u16string Remainder;
    TWords Words; // in any order

    friend void PrintTo(const TFitCase& C, std::ostream* Os)
    {
        *Os << std::string(C.Remainder.begin(), C.Remainder.end());
    }
};

class LexiconFitTest : public testing::TestWithParam<TFitCase>
{
};

TEST_P(LexiconFitTest, FindsExactlyTheWordsThatFit)
{
    const std::vector<TWord> Words = FixtureWords();
    const TLexicon Lexicon(Words);
    const TWordMatches Matches = Lexicon.Find(QueryFor(GetParam().Remainder));
    EXPECT_EQ(Sorted(Matches.Words), Sorted(GetParam().Words));
    EXPECT_EQ(Matches.Count, GetParam().Words.size());
    EXPECT_EQ(Sorted(Matches.Words), ReferenceFit(Words, GetParam().Remainder));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LexiconFitTest,
    testing::Values(TFitCase{u"", {}}, TFitCase{u"Z", {}}, TFitCase{u"CASA", {u"casa", u"ca"}},
                    TFitCase{u"ACS", {u"ca"}},
                    TFitCase{u"ARCO", {u"caro", u"arco", u"orca", u"roca", u"oca", u"ca"}},
                    TFitCase{u"TE", {u"te", u"tè", u"e", u"è"}},
                    TFitCase{u"CITTA", {u"città", u"ca"}}, TFitCase{u"CITA", {u"ca"}},
                    TFitCase{u"PATE", {u"pâté", u"te", u"tè", u"e", u"è"}},
                    TFitCase{u"DELLARTE",
                             {u"dell'arte", u"arte", u"rate", u"tra", u"tre", u"re", u"te", u"tè",
                              u"e", u"è", u"la", u"al", u"là"}}));

TEST(LexiconTest, AgreesWithTheReferenceOnRandomRemainders)
{
    const std::vector<TWord> Words = FixtureWords();
    const TLexicon Lexicon(Words);
    std::mt19937 Random(12);
    const std::u16string Pool = u"AACCEEILLMOPRRSSTTU";
    for (int I = 0; I < 500; ++I) {
        std::u16string Remainder;
        for (char16_t L : Pool)
            if (Random() % 2)
                Remainder.push_back(L);
        const TWordMatches Matches = Lexicon.Find(QueryFor(Remainder));
        const TWords Expected = ReferenceFit(Words, Remainder);
        ASSERT_EQ(Sorted(Matches.Words), Expected) << std::string(Remainder.begin(), Remainder.end());
        ASSERT_EQ(Matches.Count, Expected.size());
    }
}

TEST(LexiconTest, LettersUsedInExcessDoNotCountAgainstTheRest)
{
    const TLexicon Lexicon(FixtureWords());
    TWordQuery Query = QueryFor(u"CASA");
    Query.Remainder[u'Z'] = -3;
    Query.Remainder[u'T'] = -1;
    EXPECT_EQ(Sorted(Lexicon.Find(Query).Words), (TWords{u"ca", u"casa"}));
}

TEST(LexiconTest, LimitCutsTheWordsButNotTheCount)
{
    const TLexicon Lexicon(FixtureWords());
    const TWordMatches Matches = Lexicon.Find(QueryFor(u"DELLARTE", 3));
    EXPECT_EQ(Matches.Count, 13u);
    EXPECT_EQ(Matches.Words, (TWords{u"dell'arte", u"arte", u"rate"}));
}

TEST(LexiconTest, WordsWithoutLettersOrTooManyOfOneAreLeftOut)
{
    const TLexicon Lexicon({{u"...", false}, {std::u16string(256, u'a'), false},
                            {std::u16string(255, u'a'), false}, {u"a", false}});
    EXPECT_EQ(Lexicon.WordCount(), 2u);
    TWordQuery Query;
    Query.Remainder[u'A'] = 100000;
    EXPECT_EQ(Lexicon.Find(Query).Count, 2u);
}

struct TRankCase
{
    const char* Name;
    std::vector<TWord> Words;
    std::u16string Remainder;
    bool bAlphabetical;
    std::u16string Contains;
    TWords Ranked;

    friend void PrintTo(const TRankCase& C, std::ostream* Os) { *Os << C.Name; }
};

class LexiconRankTest : public testing::TestWithParam<TRankCase>
{
};

TEST_P(LexiconRankTest, OrdersTheWords)
{
    const TLexicon Lexicon(GetParam().Words.empty() ? FixtureWords() : GetParam().Words);
    TWordQuery Query = QueryFor(GetParam().Remainder);
    Query.bAlphabetical = GetParam().bAlphabetical;
    Query.Contains = Letters(GetParam().Contains);
    EXPECT_EQ(Lexicon.Find(Query).Words, GetParam().Ranked);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LexiconRankTest,
    testing::Values(
        // Of T T E E R A: "tra" uses the single A, so ranks before "tre";
        // "re" uses the single R, so before "te".
        TRankCase{"longer_then_scarcer",
                  {},
                  u"TTEERA",
                  false,
                  u"",
                  {u"arte", u"rate", u"tra", u"tre", u"re", u"te", u"tè", u"e", u"è"}},
        TRankCase{"alphabetical_by_letters",
                  {},
                  u"TTEERA",
                  true,
                  u"",
                  {u"arte", u"e", u"è", u"rate", u"re", u"te", u"tè", u"tra", u"tre"}},
        TRankCase{"contains_filter", {}, u"TTEERA", false, u"R", {u"arte", u"rate", u"tra", u"tre", u"re"}},
        TRankCase{"contains_filter_counts_letters", {}, u"TTEERA", false, u"TT", {}},
        TRankCase{"contains_filter_alphabetical", {}, u"TTEERA", true, u"TE",
                  {u"arte", u"rate", u"te", u"tè", u"tre"}},
        TRankCase{"equal_letters_in_alphabetical_order", {}, u"ARCO", false, u"",
                  {u"arco", u"caro", u"orca", u"roca", u"oca", u"ca"}},
        TRankCase{"personal_before_list_of_same_rank",
                  {{u"te", false}, {u"re", false}, {u"tè", true}, {u"et", true}},
                  u"TER",
                  false,
                  u"",
                  {u"et", u"tè", u"re", u"te"}},
        TRankCase{"personal_not_before_a_better_rank",
                  {{u"ter", false}, {u"re", false}, {u"te", true}},
                  u"TTER",
                  false,
                  u"",
                  {u"ter", u"re", u"te"}}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(SentenceViewTest, KeepsOnlyWhatFitsTheSentenceAndFindsAsTheLexicon)
{
    const TLexicon Lexicon(FixtureWords());
    const std::u16string Sentence = u"DELLARTECASO";
    const TSentenceView View(Lexicon, Letters(Sentence));
    EXPECT_LT(View.EntryCount(), Lexicon.WordCount());
    std::mt19937 Random(7);
    for (int I = 0; I < 300; ++I) {
        std::u16string Remainder;
        for (char16_t L : Sentence)
            if (Random() % 3)
                Remainder.push_back(L);
        TWordQuery Query = QueryFor(Remainder, Random() % 4);
        Query.bAlphabetical = Random() % 2;
        const TWordMatches FromView = View.Find(Query);
        const TWordMatches FromAll = Lexicon.Find(Query);
        ASSERT_EQ(FromView.Count, FromAll.Count);
        ASSERT_EQ(FromView.Words, FromAll.Words);
    }
}

} // namespace
