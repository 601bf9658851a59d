// SPDX-License-Identifier: GPL-3.0-or-later
#include "anagramengine.h"

#include <gtest/gtest.h>
#include <map>

namespace {

using TCounts = std::map<char16_t, int32_t>;

struct TTallyCase
{
    const char* Name;
    std::u16string Sentence;
    std::u16string Attempt;
    TCounts NonZero;
    TAnagramStatus Status;

    friend void PrintTo(const TTallyCase& C, std::ostream* Os) { *Os << C.Name; }
};

class TallyTest : public testing::TestWithParam<TTallyCase>
{
};

TEST_P(TallyTest, CountsAndStatus)
{
    const TTallyCase& Case = GetParam();
    TAnagramEngine Engine;
    Engine.SetSentence(Case.Sentence);
    Engine.SetCurrentAnagramString(Case.Attempt);
    const TAnagram& Anagram = Engine.CurrentAnagram();
    for (char16_t L = u'A'; L <= u'Z'; ++L) {
        const auto Found = Case.NonZero.find(L);
        EXPECT_EQ(Anagram.GetLetters(L), Found == Case.NonZero.end() ? 0 : Found->second)
            << "letter " << static_cast<char>(L);
    }
    EXPECT_EQ(Anagram.Status(), Case.Status);
}

INSTANTIATE_TEST_SUITE_P(
    Attempts, TallyTest,
    testing::Values(
        TTallyCase{"Unstarted",
                   u"Roma",
                   u"",
                   {{u'A', 1}, {u'M', 1}, {u'O', 1}, {u'R', 1}},
                   TAnagramStatus::asIncomplete},
        TTallyCase{"Exact", u"Roma", u"amor", {}, TAnagramStatus::asComplete},
        TTallyCase{
            "ExactIgnoringCaseAndMarks", u"Roma", u"R-a m.O!", {}, TAnagramStatus::asComplete},
        TTallyCase{"AccentsFold", u"Perch\u00E9", u"che PER", {}, TAnagramStatus::asComplete},
        TTallyCase{"Excess", u"Roma", u"ramoz", {{u'Z', -1}}, TAnagramStatus::asExcess},
        TTallyCase{"ExcessOutranksIncomplete",
                   u"ab",
                   u"bc",
                   {{u'A', 1}, {u'C', -1}},
                   TAnagramStatus::asExcess},
        TTallyCase{"BlankSentence", u" \t\r\n", u"", {}, TAnagramStatus::asEmpty},
        TTallyCase{"BlankBoth", u"  ", u"\r\n", {}, TAnagramStatus::asEmpty},
        TTallyCase{"DigitsAreNotBlank", u"123", u"", {}, TAnagramStatus::asComplete},
        TTallyCase{"NoBreakSpaceIsNotBlank", u"\u00A0", u"", {}, TAnagramStatus::asComplete},
        TTallyCase{"EmptySentence",
                   u"",
                   u"abc",
                   {{u'A', -1}, {u'B', -1}, {u'C', -1}},
                   TAnagramStatus::asExcess}),
    [](const auto& Info) { return std::string(Info.param.Name); });

struct TAcceptCase
{
    const char* Name;
    std::u16string Attempt;
    std::u16string Selection;
    bool HasSelection;
    char16_t Key;
    bool Accepted;

    friend void PrintTo(const TAcceptCase& C, std::ostream* Os) { *Os << C.Name; }
};

class AcceptCharTest : public testing::TestWithParam<TAcceptCase>
{
};

// Sentence "Roma" throughout.
TEST_P(AcceptCharTest, JudgesTheKeyAgainstTheTally)
{
    const TAcceptCase& Case = GetParam();
    TAnagramEngine Engine;
    Engine.SetSentence(u"Roma");
    Engine.SetCurrentAnagramString(Case.Attempt);
    const TLetters Before = [&] {
        TLetters L;
        for (char16_t C = u'A'; C <= u'Z'; ++C)
            L[C] = Engine.GetLetters(C);
        return L;
    }();
    for (int Repeat = 0; Repeat < 2; ++Repeat) {
        const bool Accepted = Case.HasSelection ? Engine.AcceptChar(Case.Key, Case.Selection)
                                                : Engine.AcceptChar(Case.Key);
        EXPECT_EQ(Accepted, Case.Accepted) << "try " << Repeat;
    }
    for (char16_t C = u'A'; C <= u'Z'; ++C)
        EXPECT_EQ(Engine.GetLetters(C), Before[C]);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, AcceptCharTest,
    testing::Values(TAcceptCase{"FreeLetter", u"ro", u"", false, u'm', true},
                    TAcceptCase{"FreeLetterUpper", u"ro", u"", false, u'M', true},
                    TAcceptCase{"UsedLetter", u"ro", u"", false, u'r', false},
                    TAcceptCase{"AbsentLetter", u"ro", u"", false, u'z', false},
                    TAcceptCase{"Space", u"ro", u"", false, u' ', true},
                    TAcceptCase{"Digit", u"roma", u"", false, u'3', true},
                    TAcceptCase{"Backspace", u"roma", u"", false, 0x08, true},
                    TAcceptCase{"AccentedFree", u"rm", u"", false, 0xF2, true},
                    TAcceptCase{"AccentedUsed", u"ro", u"", false, 0xF2, false},
                    TAcceptCase{"LigatureOneLeft", u"rom", u"", false, 0xE6, false},
                    TAcceptCase{"SelectionFreesIt", u"roma", u"m", true, u'M', true},
                    TAcceptCase{"SelectionOfOther", u"roma", u"m", true, u'r', false},
                    TAcceptCase{"EmptySelection", u"ro", u"", true, u'r', false},
                    TAcceptCase{"NoLetterWithSelection", u"roma", u"ma", true, u'-', true}),
    [](const auto& Info) { return std::string(Info.param.Name); });

// A key that yields the same letter twice is tested against the unchanged
// tally, so one free letter lets it through.
TEST(AcceptCharTest, DoubleLetterKeyNeedsOneFree)
{
    TAnagramEngine Engine;
    Engine.SetSentence(u"s");
    EXPECT_TRUE(Engine.AcceptChar(0xDF)); // sharp s, rendered "ss"
    Engine.SetSentence(u"a");
    EXPECT_FALSE(Engine.AcceptChar(0xE6)); // ae: E is not free
}

struct TTextCase
{
    const char* Name;
    std::u16string Attempt;
    std::u16string Selection;
    std::u16string Text;
    bool Accepted;

    friend void PrintTo(const TTextCase& C, std::ostream* Os) { *Os << C.Name; }
};

class AcceptTextTest : public testing::TestWithParam<TTextCase>
{
};

// Sentence "Roma" throughout; the letters of the text count together.
TEST_P(AcceptTextTest, NeedsEveryLetterOfTheTextFree)
{
    TAnagramEngine Engine;
    Engine.SetSentence(u"Roma");
    Engine.SetCurrentAnagramString(GetParam().Attempt);
    EXPECT_EQ(Engine.AcceptText(GetParam().Text, GetParam().Selection), GetParam().Accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Commits, AcceptTextTest,
    testing::Values(TTextCase{"AllFree", u"", u"", u"mar", true},
                    TTextCase{"OneTooMany", u"", u"", u"aa", false},
                    TTextCase{"AccentedTogether", u"", u"", u"òr", true},
                    TTextCase{"NoLetters", u"roma", u"", u"1 !", true},
                    TTextCase{"SelectionGivesBack", u"roma", u"ma", u"am", true},
                    TTextCase{"SelectionNotEnough", u"roma", u"m", u"am", false},
                    TTextCase{"ExistingExcessElsewhereIsNoMatter", u"zz", u"", u"ro", true},
                    TTextCase{"AddingToAnExcess", u"rr", u"r", u"r", false}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(AnagramTest, WritingTheSameTextAgainStillCounts)
{
    TAnagramEngine Engine;
    int Events = 0;
    Engine.OnAnagramChanged = [&](TAnagramEngine&, TAnagram&, int32_t) { ++Events; };
    Engine.CurrentAnagram().SetAnagram(u"roma");
    Engine.Clear();
    Events = 0;
    Engine.CurrentAnagram().SetAnagram(u"");
    EXPECT_TRUE(Engine.Changed());
    EXPECT_EQ(Events, 1);
    Engine.CurrentAnagram().SetAnagram(u"");
    EXPECT_EQ(Events, 2);
}

TEST(AnagramTest, TallyFollowsTheSentenceOnlyWhenRecounted)
{
    TAnagramEngine Engine;
    TAnagram& Anagram = Engine.CurrentAnagram();
    Anagram.SetAnagram(u"ab");
    EXPECT_EQ(Anagram.GetLetters(u'A'), -1);
    Engine.SetSentence(u"aab");
    EXPECT_EQ(Anagram.GetLetters(u'A'), 1);
    EXPECT_EQ(Anagram.GetLetters(u'B'), 0);
}

TEST(AnagramTest, ProcessStringAddsToWhatIsThere)
{
    TLetters Letters;
    Letters[u'A'] = 5;
    TAnagram::ProcessString(u"a\u00E0b", false, Letters);
    TAnagram::ProcessString(u"B", true, Letters);
    EXPECT_EQ(Letters[u'A'], 3);
    EXPECT_EQ(Letters[u'B'], 0);
    TAnagram::Clear(Letters);
    EXPECT_EQ(Letters, TLetters{});
}

TEST(AnagramTest, SelectionIsKeptWithoutSideEffects)
{
    TAnagramEngine Engine;
    TAnagram& Anagram = Engine.CurrentAnagram();
    EXPECT_EQ(Anagram.SelStart(), 0);
    EXPECT_EQ(Anagram.SelLength(), 0);
    Anagram.SetSelStart(4);
    Anagram.SetSelLength(2);
    EXPECT_EQ(Anagram.SelStart(), 4);
    EXPECT_EQ(Anagram.SelLength(), 2);
    EXPECT_FALSE(Engine.Changed());
}

} // namespace
