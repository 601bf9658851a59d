// SPDX-License-Identifier: GPL-3.0-or-later
#include "anagramengine.h"

#include <gtest/gtest.h>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Records every event as a short line: "changed I", "cleared".
class EngineTest : public testing::Test
{
protected:
    EngineTest()
    {
        Engine.OnAnagramChanged = [this](TAnagramEngine& Sender, TAnagram& Anagram, int32_t Index) {
            EXPECT_EQ(&Sender, &Engine);
            EXPECT_EQ(&Sender.GetAnagram(Index), &Anagram);
            Events.push_back("changed " + std::to_string(Index));
        };
        Engine.OnEngineCleared = [this](TAnagramEngine& Sender) {
            EXPECT_EQ(&Sender, &Engine);
            Events.push_back("cleared");
        };
    }

    // Three empty attempts, told apart by identity as A, B, C; the document
    // is unchanged and no event has been seen.
    void MakeThree(int32_t ACurrent)
    {
        Engine.AddAnagram();
        Engine.AddAnagram();
        Engine.SetCurrentIndex(ACurrent);
        for (int32_t I = 0; I < 3; ++I)
            Names[&Engine.GetAnagram(I)] = static_cast<char>('A' + I);
        Events.clear();
    }

    // The attempts in list order, by the names MakeThree gave them.
    std::string Order() const
    {
        std::string Result;
        for (int32_t I = 0; I < Engine.AnagramsCount(); ++I)
            Result += Names.at(&Engine.GetAnagram(I));
        return Result;
    }

    char Current() const { return Names.at(&Engine.CurrentAnagram()); }

    TAnagramEngine Engine;
    std::vector<std::string> Events;
    std::map<const TAnagram*, char> Names;
};

void ExpectFreshState(const TAnagramEngine& Engine)
{
    EXPECT_EQ(Engine.AnagramsCount(), 1);
    EXPECT_EQ(Engine.CurrentIndex(), 0);
    EXPECT_FALSE(Engine.Changed());
    EXPECT_FALSE(Engine.Loading());
    EXPECT_EQ(Engine.Sentence(), u"");
    EXPECT_EQ(Engine.CurrentAnagramString(), u"");
    for (char16_t C = u'A'; C <= u'Z'; ++C) {
        EXPECT_EQ(Engine.GetLetterAtPosition(C), C);
        EXPECT_EQ(Engine.GetLetters(C), 0);
    }
    EXPECT_EQ(Engine.CurrentAnagram().Status(), TAnagramStatus::asEmpty);
}

TEST(EngineCreateTest, StartsAsAnEmptyDocument)
{
    TAnagramEngine Engine;
    ExpectFreshState(Engine);
}

TEST_F(EngineTest, ClearRestoresTheFreshStateAnnouncingTheAttemptFirst)
{
    Engine.SetSentence(u"Roma");
    Engine.AddAnagram();
    Engine.SetCurrentIndex(1);
    Engine.SetCurrentAnagramString(u"amor");
    Engine.Shuffle();
    Events.clear();

    std::u16string OrderSeenByEvent;
    Engine.OnAnagramChanged = [&](TAnagramEngine& Sender, TAnagram&, int32_t Index) {
        Events.push_back("changed " + std::to_string(Index));
        for (char16_t P = u'A'; P <= u'Z'; ++P)
            OrderSeenByEvent.push_back(Sender.GetLetterAtPosition(P));
    };
    const std::u16string OrderBefore = [&] {
        std::u16string S;
        for (char16_t P = u'A'; P <= u'Z'; ++P)
            S.push_back(Engine.GetLetterAtPosition(P));
        return S;
    }();
    Engine.Clear();

    ExpectFreshState(Engine);
    EXPECT_EQ(Events, (std::vector<std::string>{"changed 0", "cleared"}));
    EXPECT_EQ(OrderSeenByEvent, OrderBefore);
}

TEST_F(EngineTest, SentenceRecountsEveryAttemptInOrder)
{
    Engine.AddAnagram();
    Engine.AddAnagram();
    Events.clear();
    Engine.SetSentence(u"Casa");
    EXPECT_EQ(Events, (std::vector<std::string>{"changed 0", "changed 1", "changed 2"}));
    EXPECT_TRUE(Engine.Changed());
    for (int32_t I = 0; I < 3; ++I)
        EXPECT_EQ(Engine.GetAnagram(I).GetLetters(u'A'), 2);
}

TEST_F(EngineTest, AddAnagramAppendsWithoutSelectingOrChanging)
{
    Engine.AddAnagram();
    Events.clear();
    Engine.AddAnagram();
    EXPECT_EQ(Events, (std::vector<std::string>{"changed 2"}));
    EXPECT_EQ(Engine.AnagramsCount(), 3);
    EXPECT_EQ(Engine.CurrentIndex(), 0);
    EXPECT_FALSE(Engine.Changed());
}

TEST_F(EngineTest, AddedAttemptIsCountedAgainstTheSentence)
{
    Engine.SetSentence(u"Roma");
    Engine.AddAnagram();
    EXPECT_EQ(Engine.GetAnagram(1).GetLetters(u'R'), 1);
    EXPECT_EQ(Engine.GetAnagram(1).Status(), TAnagramStatus::asIncomplete);
}

struct TRemoveCase
{
    int32_t Current;
    int32_t Removed;
    std::string OrderAfter;
    int32_t CurrentAfter;
    char CurrentAfterName;

    friend void PrintTo(const TRemoveCase& C, std::ostream* Os)
    {
        *Os << "current " << C.Current << ", removed " << C.Removed;
    }
};

class EngineRemoveTest : public EngineTest, public testing::WithParamInterface<TRemoveCase>
{
};

TEST_P(EngineRemoveTest, KeepsTheRightAttemptCurrent)
{
    const TRemoveCase& Case = GetParam();
    MakeThree(Case.Current);
    Engine.RemoveAnagram(Case.Removed);
    EXPECT_EQ(Order(), Case.OrderAfter);
    EXPECT_EQ(Engine.CurrentIndex(), Case.CurrentAfter);
    EXPECT_EQ(Current(), Case.CurrentAfterName);
    EXPECT_TRUE(Events.empty());
    EXPECT_TRUE(Engine.Changed());
}

INSTANTIATE_TEST_SUITE_P(Positions, EngineRemoveTest,
                         testing::Values(TRemoveCase{2, 2, "AB", 1, 'B'},
                                         TRemoveCase{1, 0, "BC", 0, 'B'},
                                         TRemoveCase{1, 1, "AC", 1, 'C'},
                                         TRemoveCase{1, 2, "AB", 1, 'B'},
                                         TRemoveCase{0, 0, "BC", 0, 'B'}));

struct TMoveCase
{
    int32_t Current;
    int32_t Target;
    std::string OrderAfter;

    friend void PrintTo(const TMoveCase& C, std::ostream* Os)
    {
        *Os << "from " << C.Current << " to " << C.Target;
    }
};

class EngineMoveTest : public EngineTest, public testing::WithParamInterface<TMoveCase>
{
};

TEST_P(EngineMoveTest, MovesTheCurrentAttemptAndKeepsItCurrent)
{
    const TMoveCase& Case = GetParam();
    MakeThree(Case.Current);
    const char Moved = Current();
    Engine.MoveCurrentTo(Case.Target);
    EXPECT_EQ(Order(), Case.OrderAfter);
    EXPECT_EQ(Engine.CurrentIndex(), Case.Target);
    EXPECT_EQ(Current(), Moved);
    EXPECT_TRUE(Events.empty());
    // A new order is the user's work to save; staying in place is no change.
    EXPECT_EQ(Engine.Changed(), Case.Current != Case.Target);
}

INSTANTIATE_TEST_SUITE_P(Positions, EngineMoveTest,
                         testing::Values(TMoveCase{2, 0, "CAB"}, TMoveCase{0, 2, "BCA"},
                                         TMoveCase{0, 1, "BAC"}, TMoveCase{1, 1, "ABC"}));

// Positions outside the list are refused before anything changes.
TEST_F(EngineTest, OutOfRangePositionsThrowAndChangeNothing)
{
    MakeThree(1);
    const auto ExpectUntouched = [&] {
        EXPECT_EQ(Order(), "ABC");
        EXPECT_EQ(Engine.CurrentIndex(), 1);
        EXPECT_FALSE(Engine.Changed());
        EXPECT_TRUE(Events.empty());
    };
    for (int32_t Index : {-1, 3, 5}) {
        SCOPED_TRACE(Index);
        EXPECT_THROW(Engine.RemoveAnagram(Index), std::out_of_range);
        ExpectUntouched();
        EXPECT_THROW(Engine.MoveCurrentTo(Index), std::out_of_range);
        ExpectUntouched();
        EXPECT_THROW(Engine.GetAnagram(Index), std::out_of_range);
        EXPECT_THROW(Engine.SetCurrentIndex(Index), std::out_of_range);
        ExpectUntouched();
    }
}

TEST_F(EngineTest, OutOfRangeMessageNamesIndexAndCount)
{
    try {
        Engine.RemoveAnagram(5);
        FAIL() << "no exception";
    } catch (const std::out_of_range& Error) {
        EXPECT_NE(std::string(Error.what()).find("index 5"), std::string::npos) << Error.what();
        EXPECT_NE(std::string(Error.what()).find("list of 1"), std::string::npos) << Error.what();
    }
}

TEST_F(EngineTest, CurrentAttemptBeyondTheListIsAnInvariantError)
{
    Engine.ClearAnagrams();
    EXPECT_EQ(Engine.AnagramsCount(), 0);
    EXPECT_THROW(Engine.CurrentAnagram(), std::logic_error);
    EXPECT_THROW(Engine.AcceptChar(u'a'), std::logic_error);
    EXPECT_THROW(Engine.SetCurrentAnagramString(u"a"), std::logic_error);
}

TEST_F(EngineTest, RemovingTheOnlyAttemptLeavesNoCurrentOne)
{
    Engine.RemoveAnagram(0);
    EXPECT_EQ(Engine.AnagramsCount(), 0);
    EXPECT_THROW(Engine.CurrentAnagram(), std::out_of_range);
}

TEST_F(EngineTest, WritingTheCurrentIndexAlwaysAnnounces)
{
    MakeThree(1);
    Engine.SetCurrentIndex(1);
    Engine.SetCurrentIndex(2);
    EXPECT_EQ(Events, (std::vector<std::string>{"changed 1", "changed 2"}));
}

TEST_F(EngineTest, CurrentAnagramStringWritesTheCurrentAttempt)
{
    MakeThree(1);
    Engine.SetCurrentAnagramString(u"x");
    EXPECT_EQ(Engine.GetAnagram(0).Anagram(), u"");
    EXPECT_EQ(Engine.GetAnagram(1).Anagram(), u"x");
    EXPECT_EQ(Events, (std::vector<std::string>{"changed 1"}));
    EXPECT_TRUE(Engine.Changed());
    EXPECT_EQ(Engine.GetLetters(u'X'), -1);
}

TEST_F(EngineTest, ShuffleGivesAPermutationAndAnnounces)
{
    MakeThree(2);
    Engine.Shuffle();
    std::set<char16_t> Seen;
    for (char16_t P = u'A'; P <= u'Z'; ++P)
        Seen.insert(Engine.GetLetterAtPosition(P));
    EXPECT_EQ(Seen.size(), 26u);
    EXPECT_EQ(*Seen.begin(), u'A');
    EXPECT_EQ(*Seen.rbegin(), u'Z');
    EXPECT_TRUE(Engine.Changed());
    EXPECT_EQ(Events, (std::vector<std::string>{"changed 2"}));
}

// Every letter should reach every position about equally often; the bounds
// are more than six standard deviations wide.
TEST(EngineShuffleTest, DrawsUniformly)
{
    TAnagramEngine Engine;
    constexpr int Rounds = 26000;
    std::vector<int> AtFirst(26), AtLast(26);
    for (int I = 0; I < Rounds; ++I) {
        Engine.Shuffle();
        ++AtFirst[Engine.GetLetterAtPosition(u'A') - u'A'];
        ++AtLast[Engine.GetLetterAtPosition(u'Z') - u'A'];
    }
    for (int L = 0; L < 26; ++L) {
        EXPECT_GT(AtFirst[L], 800) << static_cast<char>('A' + L);
        EXPECT_LT(AtFirst[L], 1200) << static_cast<char>('A' + L);
        EXPECT_GT(AtLast[L], 800) << static_cast<char>('A' + L);
        EXPECT_LT(AtLast[L], 1200) << static_cast<char>('A' + L);
    }
}

TEST_F(EngineTest, SortRestoresTheAlphabetAndAlwaysMarksChanged)
{
    Engine.Sort();
    EXPECT_TRUE(Engine.Changed());
    EXPECT_EQ(Events, (std::vector<std::string>{"changed 0"}));
    Engine.Shuffle();
    Engine.Sort();
    for (char16_t P = u'A'; P <= u'Z'; ++P)
        EXPECT_EQ(Engine.GetLetterAtPosition(P), P);
}

TEST_F(EngineTest, LetterOrderDoesNotAffectCounting)
{
    Engine.SetSentence(u"Casa");
    Engine.Shuffle();
    EXPECT_EQ(Engine.GetLetters(u'A'), 2);
    EXPECT_EQ(Engine.CurrentAnagram().Status(), TAnagramStatus::asIncomplete);
}

TEST_F(EngineTest, NonLetterCodesAreRefused)
{
    EXPECT_THROW(Engine.GetLetters(u'a'), std::out_of_range);
    EXPECT_THROW(Engine.GetLetterAtPosition(u'['), std::out_of_range);
    EXPECT_THROW(Engine.GetLetterAtPosition(u'@'), std::out_of_range);
}

TEST_F(EngineTest, EventsRaiseNothingWithoutHandlers)
{
    Engine.OnAnagramChanged = nullptr;
    Engine.OnEngineCleared = nullptr;
    Engine.SetSentence(u"Roma");
    Engine.AddAnagram();
    Engine.SetCurrentIndex(1);
    Engine.Shuffle();
    Engine.Clear();
    EXPECT_TRUE(Events.empty());
}

} // namespace
