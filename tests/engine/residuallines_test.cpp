// SPDX-License-Identifier: GPL-3.0-or-later
#include "anagramengine.h"
#include "residuallines.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace {

struct TLinesCase
{
    const char* Name;
    std::u16string Sentence;
    std::u16string Attempt;
    std::u16string Vowels;
    std::u16string Consonants;

    friend void PrintTo(const TLinesCase& C, std::ostream* Os) { *Os << C.Name; }
};

class ResidualLinesTest : public testing::TestWithParam<TLinesCase>
{
};

TEST_P(ResidualLinesTest, ListsTheFreeLettersAlphabetically)
{
    TAnagramEngine Engine;
    Engine.SetSentence(GetParam().Sentence);
    Engine.SetCurrentAnagramString(GetParam().Attempt);
    const TResidualLines Lines = BuildResidualLines(Engine);
    EXPECT_EQ(Lines.Vowels, GetParam().Vowels);
    EXPECT_EQ(Lines.Consonants, GetParam().Consonants);
}

INSTANTIATE_TEST_SUITE_P(
    Tallies, ResidualLinesTest,
    testing::Values(TLinesCase{"Empty", u"", u"", u"--", u"--"},
                    TLinesCase{"Casa", u"Casa", u"", u"AA", u"C S"},
                    TLinesCase{"CasaAss", u"Casa", u"Ass", u"A", u"C"},
                    TLinesCase{"AllUsed", u"Roma", u"amor", u"--", u"--"},
                    TLinesCase{"OnlyExcess", u"", u"xyz", u"--", u"--"},
                    TLinesCase{"YIsAConsonant", u"yuppie", u"", u"E I U", u"PP Y"},
                    TLinesCase{"AllVowelsUsed", u"aereo sbt", u"aeeo", u"--", u"B R S T"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

// The groups follow the engine's letter order, not the alphabet.
TEST(ResidualLinesOrderTest, FollowsTheShuffledOrder)
{
    TAnagramEngine Engine;
    Engine.SetSentence(u"Casa e Ilio");
    const auto PositionOf = [&](char16_t L) {
        for (char16_t P = u'A'; P <= u'Z'; ++P)
            if (Engine.GetLetterAtPosition(P) == L)
                return P;
        return char16_t{0};
    };
    const auto Joined = [&](std::vector<std::u16string> Groups) {
        std::sort(Groups.begin(), Groups.end(), [&](const auto& X, const auto& Y) {
            return PositionOf(X[0]) < PositionOf(Y[0]);
        });
        std::u16string Line;
        for (const auto& Group : Groups)
            Line += (Line.empty() ? u"" : u" ") + Group;
        return Line;
    };
    for (int Round = 0; Round < 20; ++Round) {
        Engine.Shuffle();
        const TResidualLines Lines = BuildResidualLines(Engine);
        EXPECT_EQ(Lines.Vowels, Joined({u"AA", u"E", u"II", u"O"}));
        EXPECT_EQ(Lines.Consonants, Joined({u"C", u"L", u"S"}));
    }
    Engine.Sort();
    EXPECT_EQ(BuildResidualLines(Engine).Vowels, u"AA E II O");
    EXPECT_EQ(BuildResidualLines(Engine).Consonants, u"C L S");
}

} // namespace
