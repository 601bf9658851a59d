// SPDX-License-Identifier: GPL-3.0-or-later
#include "anagramengine.h"
#include "failingallocations.h"
#include "fileerror.h"
#include "tempfolder.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <new>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace {

// Byte-layout files put together piece by piece.
class TBytes
{
public:
    TBytes& Raw(std::string_view ABytes)
    {
        FBytes += ABytes;
        return *this;
    }
    TBytes& Int(int32_t AValue)
    {
        for (int Shift = 0; Shift < 32; Shift += 8)
            FBytes.push_back(static_cast<char>((static_cast<uint32_t>(AValue) >> Shift) & 0xFF));
        return *this;
    }
    TBytes& Units(std::u16string_view AText)
    {
        for (char16_t C : AText) {
            FBytes.push_back(static_cast<char>(C & 0xFF));
            FBytes.push_back(static_cast<char>(C >> 8));
        }
        return *this;
    }
    TBytes& Text(std::u16string_view AText)
    {
        return Int(static_cast<int32_t>(AText.size())).Units(AText);
    }
    TBytes& Alphabet() { return Units(u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"); }
    std::string Str() const { return FBytes; }

private:
    std::string FBytes;
};

const std::u16string Alphabet = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ";

std::u16string OrderOf(const TAnagramEngine& AEngine)
{
    std::u16string Order;
    for (char16_t P = u'A'; P <= u'Z'; ++P)
        Order.push_back(AEngine.GetLetterAtPosition(P));
    return Order;
}

std::vector<std::u16string> AttemptsOf(const TAnagramEngine& AEngine)
{
    std::vector<std::u16string> Texts;
    for (int32_t I = 0; I < AEngine.AnagramsCount(); ++I)
        Texts.push_back(AEngine.GetAnagram(I).Anagram());
    return Texts;
}

std::vector<std::vector<int32_t>> TalliesOf(const TAnagramEngine& AEngine)
{
    std::vector<std::vector<int32_t>> Tallies;
    for (int32_t I = 0; I < AEngine.AnagramsCount(); ++I) {
        Tallies.emplace_back();
        for (char16_t L = u'A'; L <= u'Z'; ++L)
            Tallies.back().push_back(AEngine.GetAnagram(I).GetLetters(L));
    }
    return Tallies;
}

// The engine's whole observable state, to show that a failure touched nothing.
struct TSnapshot
{
    std::u16string Sentence;
    std::vector<std::u16string> Attempts;
    std::vector<std::vector<int32_t>> Tallies;
    int32_t Index;
    std::u16string Order;
    bool Changed;

    explicit TSnapshot(const TAnagramEngine& E)
        : Sentence(E.Sentence()), Attempts(AttemptsOf(E)), Tallies(TalliesOf(E)),
          Index(E.CurrentIndex()), Order(OrderOf(E)), Changed(E.Changed())
    {}
    bool operator==(const TSnapshot&) const = default;
};

// Runs AWork on a thread of its own and gives it a few seconds, so that a
// read that blocks fails the test instead of hanging it. Such a thread
// cannot be stopped: the test program then ends at once.
template <typename TWork> void WithinDeadline(TWork AWork)
{
    auto Done = std::make_shared<std::promise<void>>();
    std::future<void> Finished = Done->get_future();
    std::thread([Done, AWork]() mutable {
        try {
            AWork();
            Done->set_value();
        } catch (...) {
            Done->set_exception(std::current_exception());
        }
    }).detach();
    if (Finished.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        ADD_FAILURE() << "still reading after 5 seconds";
        std::fflush(nullptr);
        std::_Exit(EXIT_FAILURE);
    }
    Finished.get();
}

class DocumentTest : public testing::Test
{
protected:
    DocumentTest()
    {
        Engine.OnAnagramsLoading = [this](TAnagramEngine& Sender, int32_t ACount,
                                          const std::u16string& ASentence) {
            EXPECT_TRUE(Sender.Loading());
            EXPECT_EQ(ASentence, Sender.Sentence());
            Events.push_back("loading " + std::to_string(ACount) + " after " +
                             std::to_string(Sender.AnagramsCount()));
        };
        Engine.OnAnagramChanged = [this](TAnagramEngine& Sender, TAnagram& Anagram,
                                         int32_t AIndex) {
            EXPECT_EQ(&Sender.GetAnagram(AIndex), &Anagram);
            Events.push_back(std::string("changed ") + std::to_string(AIndex) +
                             (Sender.Loading() ? " loading" : "") +
                             (Sender.Changed() ? " changed" : ""));
        };
    }

    // A document with some history: a sentence, three attempts, the third
    // current, a shuffled order, unsaved changes.
    void MakeBusy()
    {
        Engine.SetSentence(u"Roma");
        Engine.AddAnagram();
        Engine.AddAnagram();
        Engine.SetCurrentIndex(2);
        Engine.SetCurrentAnagramString(u"amor");
        Engine.Shuffle();
        Events.clear();
    }

    std::string Write(std::string_view AName, std::string_view ABytes)
    {
        const std::string Path = Folder.File(AName);
        WriteBytes(Path, ABytes);
        return Path;
    }

    TTempFolder Folder;
    TAnagramEngine Engine;
    std::vector<std::string> Events;
};

TEST_F(DocumentTest, EmptyDocumentIsSixtyThreeBytes)
{
    const std::string Path = Folder.File("empty.vbf");
    Engine.Save(Path);
    EXPECT_EQ(ReadBytes(Path), TBytes().Raw("\x13\x62\x01").Alphabet().Int(0).Int(0).Str());
    EXPECT_EQ(ReadBytes(Path).size(), 63u);
}

TEST_F(DocumentTest, SaveWritesTheCurrentLayoutAndClearsChanged)
{
    Engine.SetSentence(u"ab");
    Engine.SetCurrentAnagramString(u"ba");
    ASSERT_TRUE(Engine.Changed());
    const std::string Path = Folder.File("ab.vbf");
    Engine.Save(Path);
    const std::string Expected =
        TBytes().Raw("\x13\x62\x01").Alphabet().Text(u"ab").Text(u"ba").Str();
    EXPECT_EQ(ReadBytes(Path), Expected);
    EXPECT_EQ(Expected.size(), 71u);
    EXPECT_FALSE(Engine.Changed());
    EXPECT_TRUE(Events.size() == 2); // the two edits above, none from saving
}

TEST_F(DocumentTest, RoundTripKeepsEverythingAndAnnouncesInOrder)
{
    Engine.SetSentence(u"Perch\u00E9 \U0001F600 no?");
    Engine.SetCurrentAnagramString(u"Che \xD800 pern");
    for (const char16_t* Text : {u"", u"Che \xD800 pern", u"  due\r\nrighe "}) {
        Engine.AddAnagram();
        Engine.GetAnagram(Engine.AnagramsCount() - 1).SetAnagram(Text);
    }
    Engine.Shuffle();
    const std::string Path = Folder.File("round.vbf");
    Engine.Save(Path);

    TAnagramEngine Other;
    Other.AddAnagram();
    Other.SetCurrentIndex(1);
    std::vector<std::string> OtherEvents;
    Other.OnAnagramsLoading = [&](TAnagramEngine&, int32_t ACount, const std::u16string&) {
        OtherEvents.push_back("loading " + std::to_string(ACount));
    };
    Other.OnAnagramChanged = [&](TAnagramEngine& Sender, TAnagram&, int32_t AIndex) {
        EXPECT_TRUE(Sender.Loading());
        EXPECT_TRUE(Sender.Changed());
        EXPECT_EQ(&Sender.CurrentAnagram(), &Sender.GetAnagram(0));
        OtherEvents.push_back("changed " + std::to_string(AIndex));
    };
    Other.Load(Path);

    EXPECT_EQ(Other.Sentence(), Engine.Sentence());
    EXPECT_EQ(AttemptsOf(Other), AttemptsOf(Engine));
    EXPECT_EQ(OrderOf(Other), OrderOf(Engine));
    EXPECT_EQ(Other.CurrentIndex(), 0);
    EXPECT_FALSE(Other.Changed());
    EXPECT_FALSE(Other.Loading());
    EXPECT_EQ(Other.GetAnagram(0).SelStart(), 0);
    EXPECT_EQ(OtherEvents, (std::vector<std::string>{"loading 4", "changed 0", "changed 1",
                                                     "changed 2", "changed 3"}));
    // The attempts are counted against the new sentence.
    EXPECT_EQ(Other.GetAnagram(1).Status(), TAnagramStatus::asIncomplete);
}

struct TLayoutCase
{
    const char* Name;
    std::string Bytes;
    std::u16string Sentence;
    std::vector<std::u16string> Attempts;
    std::u16string Order;

    friend void PrintTo(const TLayoutCase& C, std::ostream* Os) { *Os << C.Name; }
};

class DocumentLayoutTest : public DocumentTest, public testing::WithParamInterface<TLayoutCase>
{
};

TEST_P(DocumentLayoutTest, ReadsTheLayout)
{
    const TLayoutCase& Case = GetParam();
    MakeBusy();
    Engine.Load(Write("doc.vbf", Case.Bytes));
    EXPECT_EQ(Engine.Sentence(), Case.Sentence);
    EXPECT_EQ(AttemptsOf(Engine), Case.Attempts);
    EXPECT_EQ(OrderOf(Engine), Case.Order);
    EXPECT_EQ(Engine.CurrentIndex(), 0);
    EXPECT_FALSE(Engine.Changed());
    ASSERT_FALSE(Events.empty());
    EXPECT_EQ(Events[0], "loading " + std::to_string(Case.Attempts.size()) + " after 0");
    for (std::size_t I = 0; I < Case.Attempts.size(); ++I)
        EXPECT_EQ(Events.at(I + 1), "changed " + std::to_string(I) + " loading changed");
}

const std::u16string Reversed = u"ZYXWVUTSRQPONMLKJIHGFEDCBA";

INSTANTIATE_TEST_SUITE_P(
    Variants, DocumentLayoutTest,
    testing::Values(
        TLayoutCase{"StoredOrder",
                    TBytes()
                        .Raw("\x13"
                             "b\x01")
                        .Units(Reversed)
                        .Text(u"ab")
                        .Text(u"ba")
                        .Text(u"ba")
                        .Str(),
                    u"ab",
                    {u"ba", u"ba"},
                    Reversed},
        TLayoutCase{"FlagHighestPositive",
                    TBytes()
                        .Raw("\x13"
                             "b\x7F")
                        .Units(Reversed)
                        .Text(u"x")
                        .Str(),
                    u"x",
                    {u""},
                    Reversed},
        TLayoutCase{"FlagZeroHasNoOrder",
                    TBytes().Raw(std::string("\x13\x62\x00", 3)).Text(u"ab").Text(u"b").Str(),
                    u"ab",
                    {u"b"},
                    Alphabet},
        TLayoutCase{"FlagNegativeHasNoOrder",
                    TBytes().Raw("\x13\x62\x80").Text(u"ab").Text(u"b").Str(),
                    u"ab",
                    {u"b"},
                    Alphabet},
        TLayoutCase{"FlagMinusOneHasNoOrder",
                    TBytes().Raw("\x13\x62\xFF").Text(u"q").Str(),
                    u"q",
                    {u""},
                    Alphabet},
        TLayoutCase{"EarlierLayout", TBytes().Raw("\x13J").Int(0).Str(), u"", {u""}, Alphabet},
        TLayoutCase{"EarlierLayoutWithAttempts",
                    TBytes().Raw("\x13J").Text(u"Roma").Text(u"amor").Text(u"").Str(),
                    u"Roma",
                    {u"amor", u""},
                    Alphabet},
        TLayoutCase{"EndsAfterTheSentence",
                    TBytes().Raw("\x13\x62\x01").Alphabet().Text(u"Roma").Str(),
                    u"Roma",
                    {u""},
                    Alphabet},
        TLayoutCase{"DamagedOrderReadsAlphabetical",
                    TBytes()
                        .Raw("\x13\x62\x01")
                        .Units(u"AACDEFGHIJKLMNOPQRSTUVWXYZ")
                        .Text(u"ab")
                        .Text(u"ba")
                        .Str(),
                    u"ab",
                    {u"ba"},
                    Alphabet},
        TLayoutCase{
            "OrderOutsideTheLetters",
            TBytes().Raw("\x13\x62\x01").Units(u"aBCDEFGHIJKLMNOPQRSTUVWXYZ").Text(u"ab").Str(),
            u"ab",
            {u""},
            Alphabet}),
    [](const auto& Info) { return std::string(Info.param.Name); });

struct TMalformedCase
{
    const char* Name;
    std::string Bytes;
    std::string Problem;

    friend void PrintTo(const TMalformedCase& C, std::ostream* Os) { *Os << C.Name; }
};

class DocumentMalformedTest : public DocumentTest,
                              public testing::WithParamInterface<TMalformedCase>
{
};

TEST_P(DocumentMalformedTest, IsRefusedAndTouchesNothing)
{
    MakeBusy();
    const TSnapshot Before(Engine);
    const std::string Path = Write("bad.vbf", GetParam().Bytes);
    try {
        Engine.Load(Path);
        FAIL() << "loaded";
    } catch (const EDocumentError& Error) {
        EXPECT_EQ(std::string(Error.what()),
                  "Cannot read document \"" + Path + "\": " + GetParam().Problem + ".");
    }
    EXPECT_EQ(TSnapshot(Engine), Before);
    EXPECT_FALSE(Engine.Loading());
    EXPECT_TRUE(Events.empty());
}

const std::string Header = TBytes().Raw("\x13\x62\x01").Alphabet().Str();

INSTANTIATE_TEST_SUITE_P(
    Files, DocumentMalformedTest,
    testing::Values(
        TMalformedCase{"NoFlag",
                       "\x13"
                       "b",
                       "the file ends inside the order flag at byte offset 2"},
        TMalformedCase{"OrderCutShort", TBytes().Raw("\x13\x62\x01").Units(u"ABC").Str(),
                       "the file ends inside the letter order at byte offset 3"},
        TMalformedCase{"NoSentenceLength", Header,
                       "the file ends inside the length of the sentence at byte offset 55"},
        TMalformedCase{"SentenceLengthCut", Header + "\x02",
                       "the file ends inside the length of the sentence at byte offset 55"},
        TMalformedCase{"NegativeSentence", TBytes().Raw(Header).Int(-5).Str(),
                       "the length of the sentence is negative (-5) at byte offset 55"},
        TMalformedCase{"HugeSentence", TBytes().Raw(Header).Int(INT32_MAX).Str(),
                       "the length of the sentence (2147483647 code units) runs past the end "
                       "of the file (59 bytes) at byte offset 55"},
        TMalformedCase{"SentenceCutInsideAUnit", TBytes().Raw(Header).Int(1).Raw("a").Str(),
                       "the length of the sentence (1 code units) runs past the end of the "
                       "file (60 bytes) at byte offset 55"},
        TMalformedCase{"AttemptLengthCut", TBytes().Raw(Header).Text(u"ab").Raw("\x01").Str(),
                       "the file ends inside the length of attempt 1 at byte offset 63"},
        TMalformedCase{"SecondAttemptRunsPastEnd",
                       TBytes().Raw(Header).Text(u"ab").Text(u"ba").Int(3).Units(u"ab").Str(),
                       "the length of attempt 2 (3 code units) runs past the end of the file "
                       "(79 bytes) at byte offset 71"},
        TMalformedCase{"NegativeAttemptInEarlierLayout",
                       TBytes().Raw("\x13J").Text(u"").Int(-1).Str(),
                       "the length of attempt 1 is negative (-1) at byte offset 6"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(DocumentTest, MissingFileIsAnOpenErrorAndTouchesNothing)
{
    MakeBusy();
    const TSnapshot Before(Engine);
    const std::string Path = Folder.File("missing.vbf");
    try {
        Engine.Load(Path);
        FAIL() << "loaded";
    } catch (const EFOpenError& Error) {
        EXPECT_EQ(std::string(Error.what()),
                  "Cannot open file \"" + Path + "\". No such file or directory");
    }
    EXPECT_EQ(TSnapshot(Engine), Before);
    EXPECT_THROW(Engine.Load(Folder.Path().string()), EFOpenError);
    EXPECT_EQ(TSnapshot(Engine), Before);
    EXPECT_TRUE(Events.empty());
}

struct TNotRegularCase
{
    const char* Name;
    // Makes the file in the folder given, or names one of the system's.
    std::function<std::string(const TTempFolder&)> Make;
    std::string Reason;

    friend void PrintTo(const TNotRegularCase& C, std::ostream* Os) { *Os << C.Name; }
};

class DocumentNotRegularTest : public DocumentTest,
                               public testing::WithParamInterface<TNotRegularCase>
{
};

// A pipe without a writer once kept the open waiting forever, and a device
// without end was read until memory ran out.
TEST_P(DocumentNotRegularTest, IsRefusedAtOnceAndTouchesNothing)
{
    MakeBusy();
    const TSnapshot Before(Engine);
    const std::string Path = GetParam().Make(Folder);
    WithinDeadline([&] {
        try {
            Engine.Load(Path);
            ADD_FAILURE() << "loaded";
        } catch (const EFOpenError& Error) {
            EXPECT_EQ(std::string(Error.what()),
                      "Cannot open file \"" + Path + "\". " + GetParam().Reason);
        }
    });
    EXPECT_EQ(TSnapshot(Engine), Before);
    EXPECT_TRUE(Events.empty());
}

std::string MakeFifo(const TTempFolder& AFolder)
{
    const std::string Path = AFolder.File("pipe.vbf");
    if (::mkfifo(Path.c_str(), 0600) != 0)
        throw std::runtime_error("mkfifo failed");
    return Path;
}

std::string LinkToDevZero(const TTempFolder& AFolder)
{
    const std::string Path = AFolder.File("zero.vbf");
    std::filesystem::create_symlink("/dev/zero", Path);
    return Path;
}

const std::string NotRegular = "Not a regular file";

INSTANTIATE_TEST_SUITE_P(
    Files, DocumentNotRegularTest,
    testing::Values(
        TNotRegularCase{"FifoWithoutWriter", MakeFifo, NotRegular},
        TNotRegularCase{"DevZero", [](const TTempFolder&) { return std::string("/dev/zero"); },
                        NotRegular},
        TNotRegularCase{"DevUrandom",
                        [](const TTempFolder&) { return std::string("/dev/urandom"); }, NotRegular},
        TNotRegularCase{"DevNull", [](const TTempFolder&) { return std::string("/dev/null"); },
                        NotRegular},
        TNotRegularCase{"LinkToDevZero", LinkToDevZero, NotRegular},
        TNotRegularCase{"Folder", [](const TTempFolder& F) { return F.Path().string(); },
                        "Is a directory"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

struct THandlerFailureCase
{
    const char* Name;
    bool Replace;
    // 0: OnAnagramsLoading throws; k: the k-th OnAnagramChanged of the load.
    int FailAt;

    friend void PrintTo(const THandlerFailureCase& C, std::ostream* Os) { *Os << C.Name; }
};

class DocumentHandlerFailureTest : public DocumentTest,
                                   public testing::WithParamInterface<THandlerFailureCase>
{
};

// The window's handlers allocate, so any of them may run out of memory.
TEST_P(DocumentHandlerFailureTest, BringsTheFormerDocumentBack)
{
    const THandlerFailureCase& Case = GetParam();
    MakeBusy();
    const TSnapshot Before(Engine);
    std::vector<const TAnagram*> Objects;
    for (int32_t I = 0; I < Engine.AnagramsCount(); ++I)
        Objects.push_back(&Engine.GetAnagram(I));
    const std::string Path = Write(
        "three.vbf",
        TBytes().Raw("\x13J").Text(u"Sentence").Text(u"one").Text(u"two").Text(u"three").Str());
    int Changes = 0;
    Engine.OnAnagramsLoading = [&](TAnagramEngine&, int32_t, const std::u16string&) {
        if (Case.FailAt == 0)
            throw std::bad_alloc();
    };
    Engine.OnAnagramChanged = [&](TAnagramEngine&, TAnagram&, int32_t) {
        if (++Changes == Case.FailAt)
            throw std::bad_alloc();
    };

    EXPECT_THROW(Case.Replace ? Engine.Load(Path) : Engine.LoadNew(Path), std::bad_alloc);

    EXPECT_EQ(TSnapshot(Engine), Before);
    EXPECT_FALSE(Engine.Loading());
    for (int32_t I = 0; I < Engine.AnagramsCount(); ++I)
        EXPECT_EQ(&Engine.GetAnagram(I), Objects[static_cast<std::size_t>(I)]);
    // Counting again uses the former sentence's letters, not the new one's.
    Engine.OnAnagramChanged = nullptr;
    for (int32_t I = 0; I < Engine.AnagramsCount(); ++I)
        Engine.GetAnagram(I).Recalculate();
    EXPECT_EQ(TSnapshot(Engine), Before);
}

INSTANTIATE_TEST_SUITE_P(Handlers, DocumentHandlerFailureTest,
                         testing::Values(THandlerFailureCase{"LoadLoadingEvent", true, 0},
                                         THandlerFailureCase{"LoadFirstAttempt", true, 1},
                                         THandlerFailureCase{"LoadSecondAttempt", true, 2},
                                         THandlerFailureCase{"LoadLastAttempt", true, 3},
                                         THandlerFailureCase{"LoadNewLoadingEvent", false, 0},
                                         THandlerFailureCase{"LoadNewSecondAttempt", false, 2},
                                         THandlerFailureCase{"LoadNewLastAttempt", false, 3}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

struct TOutOfMemoryCase
{
    const char* Name;
    std::string Bytes;
    std::u16string Sentence;
    std::vector<std::u16string> Attempts;

    friend void PrintTo(const TOutOfMemoryCase& C, std::ostream* Os) { *Os << C.Name; }
};

class DocumentOutOfMemoryTest : public DocumentTest,
                                public testing::WithParamInterface<TOutOfMemoryCase>
{
};

// Memory runs out at the first allocation of the load, then at the second,
// and so on until the load gets through: every one of those loads must
// leave the engine exactly as it was.
TEST_P(DocumentOutOfMemoryTest, EveryAllocationThatFailsTouchesNothing)
{
    const TOutOfMemoryCase& Case = GetParam();
    MakeBusy();
    const TSnapshot Before(Engine);
    const std::string Path = Write("doc.vbf", Case.Bytes);
    std::size_t Failures = 0;
    for (std::size_t N = 1; N < 100000; ++N) {
        bool Loaded = false;
        bool Refused = false;
        {
            const TFailingAllocations Failing(TFailingAllocations::TFromNth{N});
            try {
                Engine.Load(Path);
                Loaded = true;
            } catch (const std::bad_alloc&) {
            }
            Refused = Failing.Failed();
        }
        if (Loaded) {
            EXPECT_FALSE(Refused) << "a failed allocation went unnoticed";
            break;
        }
        ++Failures;
        ASSERT_EQ(TSnapshot(Engine), Before) << "allocation " << N << " failed";
        ASSERT_FALSE(Engine.Loading());
    }
    EXPECT_GT(Failures, 10u);
    EXPECT_EQ(Engine.Sentence(), Case.Sentence);
    EXPECT_EQ(AttemptsOf(Engine), Case.Attempts);
    EXPECT_FALSE(Engine.Changed());
}

INSTANTIATE_TEST_SUITE_P(Layouts, DocumentOutOfMemoryTest,
                         testing::Values(TOutOfMemoryCase{"ByteLayout",
                                                          TBytes()
                                                              .Raw("\x13\x62\x01")
                                                              .Units(Reversed)
                                                              .Text(u"Roma amor")
                                                              .Text(u"ramo")
                                                              .Text(u"orma mora")
                                                              .Text(u"")
                                                              .Str(),
                                                          u"Roma amor",
                                                          {u"ramo", u"orma mora", u""}},
                                         TOutOfMemoryCase{
                                             "Legacy",
                                             "[MAIN]\r\nfrase=Perch\xC3\xA9\r\nanagramma=chep\r\n"
                                             "[COMPLETI]\r\n1=perch\xC3\xA9\r\n2=PERCH\xC3\x89\r\n",
                                             u"Perch\u00E9",
                                             {u"chep", u"perch\u00E9"}}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(DocumentTest, RelativeNamesAreReportedInFull)
{
    try {
        Engine.Load("no-such-folder/doc.vbf");
        FAIL() << "loaded";
    } catch (const EFOpenError& Error) {
        const std::string Expected =
            "Cannot open file \"" +
            (std::filesystem::current_path() / "no-such-folder/doc.vbf").string() + "\".";
        EXPECT_EQ(std::string(Error.what()).substr(0, Expected.size()), Expected);
    }
}

TEST_F(DocumentTest, ReadersAppendToTheAttemptsHeld)
{
    const std::string Path =
        Write("two.vbf", TBytes().Raw("\x13J").Text(u"ab").Text(u"a").Text(u"b").Str());
    Engine.LoadNew(Path);
    EXPECT_EQ(AttemptsOf(Engine), (std::vector<std::u16string>{u"", u"a", u"b"}));
    EXPECT_EQ(Events, (std::vector<std::string>{"loading 2 after 1", "changed 1 loading changed",
                                                "changed 2 loading changed"}));
    Engine.LoadOld(Write("old.ini", "[MAIN]\nfrase=xy\nanagramma=yx\n"));
    EXPECT_EQ(AttemptsOf(Engine), (std::vector<std::u16string>{u"", u"a", u"b", u"yx"}));
    EXPECT_EQ(Engine.Sentence(), u"xy");
}

} // namespace
