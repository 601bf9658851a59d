// SPDX-License-Identifier: GPL-3.0-or-later
#include "anagramengine.h"
#include "tally.h"

#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

namespace {

TLetters Letters(std::u16string_view AUpper)
{
    TLetters Result;
    for (char16_t L : AUpper)
        ++Result[L];
    return Result;
}

TEST(TallyTest, CountsTheNormalisedLetters)
{
    EXPECT_EQ(TallyOf(u"Città dell'arte"), Letters(u"CITTADELLARTE"));
    EXPECT_EQ(TallyOf(u"perché è più"), Letters(u"PERCHEEPIU"));
    EXPECT_EQ(TallyOf(u"123 -- !"), TLetters());
}

struct TFitCase
{
    std::u16string Needed;
    std::u16string Free;
    bool bFits;

    friend void PrintTo(const TFitCase& C, std::ostream* Os)
    {
        *Os << std::string(C.Needed.begin(), C.Needed.end()) << " in "
            << std::string(C.Free.begin(), C.Free.end());
    }
};

class FitsTest : public testing::TestWithParam<TFitCase>
{
};

TEST_P(FitsTest, NeedsEveryLetterAsOften)
{
    EXPECT_EQ(Fits(Letters(GetParam().Needed), Letters(GetParam().Free)), GetParam().bFits);
}

INSTANTIATE_TEST_SUITE_P(Cases, FitsTest,
                         testing::Values(TFitCase{u"", u"", true}, TFitCase{u"", u"ABC", true},
                                         TFitCase{u"CASA", u"AACS", true},
                                         TFitCase{u"CASA", u"ACS", false},
                                         TFitCase{u"Z", u"ABCDEFGHIJKLMNOPQRSTUVWXY", false},
                                         TFitCase{u"AZ", u"ZZAA", true}));

TEST(FitsTest, NegativeFreeCountsFitNothingOfThatLetter)
{
    TLetters Free = Letters(u"AB");
    Free[u'C'] = -2;
    EXPECT_TRUE(Fits(Letters(u"AB"), Free));
    EXPECT_FALSE(Fits(Letters(u"C"), Free));
}

TEST(RemainderTest, KeepsOnlyThePositiveCounts)
{
    TLetters Tally = Letters(u"AAB");
    Tally[u'S'] = -1;
    Tally[u'Z'] = -7;
    EXPECT_EQ(RemainderOf(Tally), Letters(u"AAB"));
}

struct TVowelCase
{
    std::u16string Remainder;
    int Percent;

    friend void PrintTo(const TVowelCase& C, std::ostream* Os)
    {
        *Os << std::string(C.Remainder.begin(), C.Remainder.end());
    }
};

class VowelPercentTest : public testing::TestWithParam<TVowelCase>
{
};

TEST_P(VowelPercentTest, RoundsToWholePercent)
{
    EXPECT_EQ(VowelPercent(Letters(GetParam().Remainder)), GetParam().Percent);
}

INSTANTIATE_TEST_SUITE_P(Cases, VowelPercentTest,
                         testing::Values(TVowelCase{u"", 0}, TVowelCase{u"BCD", 0},
                                         TVowelCase{u"AEIOU", 100}, TVowelCase{u"AB", 50},
                                         TVowelCase{u"AEB", 67}, TVowelCase{u"ABC", 33},
                                         TVowelCase{u"YW", 0}, TVowelCase{u"AAAAAAABBBBBBBBB", 44}));

TEST(VowelPercentTest, IgnoresNegativeCounts)
{
    TLetters Tally = Letters(u"AB");
    Tally[u'E'] = -5;
    EXPECT_EQ(VowelPercent(Tally), 50);
}

// Each thread has its own converter: two threads normalising at once must
// get what one thread alone gets, whatever the interleaving.
TEST(ConverterThreadTest, TwoThreadsNormaliseAsOneDoes)
{
    const std::vector<std::u16string> Texts = {
        u"Città dell'arte", u"perché è più là", u"Ærøskøbing", u"ÀÉÎÕÜ çœ",
        std::u16string(300, u'é') + u"ß", u"plain ASCII text", u"mèta ñandú"};
    std::vector<std::u16string> Expected;
    std::vector<TLetters> ExpectedTallies;
    for (const auto& Text : Texts) {
        Expected.push_back(TAnagramEngine::Normalize(Text));
        ExpectedTallies.push_back(TallyOf(Text));
    }
    ASSERT_EQ(Expected[0], u"CITTADELLARTE");

    const auto Work = [&](std::size_t AOffset, int& AMismatches) {
        for (int I = 0; I < 3000; ++I) {
            const std::size_t T = (I + AOffset) % Texts.size();
            if (TAnagramEngine::Normalize(Texts[T]) != Expected[T] ||
                TallyOf(Texts[T]) != ExpectedTallies[T])
                ++AMismatches;
        }
    };
    int MismatchesA = 0, MismatchesB = 0;
    std::thread A(Work, 0, std::ref(MismatchesA));
    std::thread B(Work, 3, std::ref(MismatchesB));
    A.join();
    B.join();
    EXPECT_EQ(MismatchesA, 0);
    EXPECT_EQ(MismatchesB, 0);
}

} // namespace
