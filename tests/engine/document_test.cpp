// SPDX-License-Identifier: GPL-3.0-or-later
#include "anagramengine.h"
#include "fileerror.h"
#include "tempfolder.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
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

// The engine's whole observable state, to show that a failure touched nothing.
struct TSnapshot
{
    std::u16string Sentence;
    std::vector<std::u16string> Attempts;
    int32_t Index;
    std::u16string Order;
    bool Changed;

    explicit TSnapshot(const TAnagramEngine& E)
        : Sentence(E.Sentence()), Attempts(AttemptsOf(E)), Index(E.CurrentIndex()),
          Order(OrderOf(E)), Changed(E.Changed())
    {}
    bool operator==(const TSnapshot&) const = default;
};

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
