// SPDX-License-Identifier: GPL-3.0-or-later
#include "anagramengine.h"
#include "tempfolder.h"
#include "utf8.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct TLegacyCase
{
    const char* Name;
    std::string Bytes;
    std::u16string Sentence;
    std::vector<std::u16string> Attempts;

    friend void PrintTo(const TLegacyCase& C, std::ostream* Os) { *Os << C.Name; }
};

class LegacyDocumentTest : public testing::TestWithParam<TLegacyCase>
{
protected:
    TTempFolder Folder;
};

// The old layout stores no letter order: the one in use stays.
TEST_P(LegacyDocumentTest, ReadsSentenceAndAttemptsKeepingTheOrder)
{
    const TLegacyCase& Case = GetParam();
    TAnagramEngine Engine;
    Engine.SetSentence(u"prima");
    Engine.AddAnagram();
    Engine.SetCurrentIndex(1);
    Engine.Shuffle();
    std::u16string OrderBefore;
    for (char16_t P = u'A'; P <= u'Z'; ++P)
        OrderBefore.push_back(Engine.GetLetterAtPosition(P));
    std::vector<std::string> Events;
    Engine.OnAnagramsLoading = [&](TAnagramEngine& Sender, int32_t ACount, const std::u16string&) {
        EXPECT_TRUE(Sender.Loading());
        Events.push_back("loading " + std::to_string(ACount));
    };

    const std::string Path = Folder.File("old.vbf");
    WriteBytes(Path, Case.Bytes);
    Engine.Load(Path);

    EXPECT_EQ(Engine.Sentence(), Case.Sentence);
    std::vector<std::u16string> Attempts;
    for (int32_t I = 0; I < Engine.AnagramsCount(); ++I)
        Attempts.push_back(Engine.GetAnagram(I).Anagram());
    EXPECT_EQ(Attempts, Case.Attempts);
    EXPECT_EQ(Engine.CurrentIndex(), 0);
    EXPECT_FALSE(Engine.Changed());
    EXPECT_EQ(Events,
              (std::vector<std::string>{"loading " + std::to_string(Case.Attempts.size())}));
    for (char16_t P = u'A'; P <= u'Z'; ++P)
        EXPECT_EQ(Engine.GetLetterAtPosition(P), OrderBefore[P - u'A']);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LegacyDocumentTest,
    testing::Values(
        TLegacyCase{"EmptyFile", "", u"", {u""}}, TLegacyCase{"OneByte", "\x13", u"", {u""}},
        TLegacyCase{"SignatureLookalike", "\x13Q\x01\x02", u"", {u""}},
        TLegacyCase{"NoSections", "just some text\n", u"", {u""}},
        TLegacyCase{"Typical",
                    "[MAIN]\r\nfrase=Roma amor\r\nanagramma=Mora ram\r\n[COMPLETI]\r\n"
                    "1=amor roma\r\n2=ramo orma\r\n",
                    u"Roma amor",
                    {u"Mora ram", u"amor roma", u"ramo orma"}},
        TLegacyCase{"CurrentMatchesACompletedOneExceptCase",
                    "[MAIN]\nfrase=Roma\nanagramma=AMOR\n[COMPLETI]\nx=ramo\ny=amor\n",
                    u"Roma",
                    {u"ramo", u"amor"}},
        TLegacyCase{"CompletedDuplicatesDifferingInCase",
                    "[COMPLETI]\na=Orma\nb=ORMA\nc=mora\nd=orma\n",
                    u"",
                    {u"Orma", u"mora"}},
        TLegacyCase{"DuplicateKeysAllCount", "[COMPLETI]\nk=uno\nk=due\n", u"", {u"uno", u"due"}},
        TLegacyCase{"AccentedCaseFolds",
                    "[COMPLETI]\na=perch\xC3\xA9\nb=PERCH\xC3\x89\n",
                    u"",
                    {u"perch\u00E9"}},
        TLegacyCase{"EmptyCurrentIsNotAnAttempt", "[MAIN]\nfrase=ab\nanagramma=\n", u"ab", {u""}},
        TLegacyCase{"Windows1252",
                    "[MAIN]\r\nfrase=Perch\xE8 no\r\nanagramma=\x80uro\r\n",
                    u"Perch\u00E8 no",
                    {u"\u20ACuro"}},
        TLegacyCase{
            "Utf8WithMark", "\xEF\xBB\xBF[MAIN]\nfrase=citt\xC3\xA0\n", u"citt\u00E0", {u""}},
        TLegacyCase{"Utf16WithMark",
                    std::string("\xFF\xFE[\0M\0A\0I\0N\0]\0\n\0f\0r\0a\0s\0e\0=\0\xE0\0", 30),
                    u"\u00E0",
                    {u""}}),
    [](const auto& Info) { return std::string(Info.param.Name); });

struct TCasePairCase
{
    const char* Name;
    std::u16string First;
    std::u16string Second;
    bool Equal;

    friend void PrintTo(const TCasePairCase& C, std::ostream* Os) { *Os << C.Name; }
};

class LegacyCaseFoldTest : public testing::TestWithParam<TCasePairCase>
{
protected:
    std::vector<std::u16string> AttemptsRead(const std::u16string& AIniText)
    {
        const std::string Path = Folder.File("old.vbf");
        WriteBytes(Path, Utf16ToUtf8(AIniText));
        TAnagramEngine Engine;
        Engine.Load(Path);
        std::vector<std::u16string> Attempts;
        for (int32_t I = 0; I < Engine.AnagramsCount(); ++I)
            Attempts.push_back(Engine.GetAnagram(I).Anagram());
        return Attempts;
    }

    TTempFolder Folder;
};

// Two completed attempts, and the current one against a completed one, are
// the same attempt exactly when their texts are equal under Unicode simple
// case folding, whatever the script.
TEST_P(LegacyCaseFoldTest, AttemptsEqualWithoutRegardToCaseLoadOnce)
{
    const TCasePairCase& Case = GetParam();
    using TTexts = std::vector<std::u16string>;
    const TTexts BothCompleted = Case.Equal ? TTexts{Case.First} : TTexts{Case.First, Case.Second};
    EXPECT_EQ(AttemptsRead(u"[COMPLETI]\n1=" + Case.First + u"\n2=" + Case.Second + u"\n"),
              BothCompleted);
    const TTexts CurrentFirst = Case.Equal ? TTexts{Case.First} : TTexts{Case.Second, Case.First};
    EXPECT_EQ(AttemptsRead(u"[MAIN]\nanagramma=" + Case.Second + u"\n[COMPLETI]\n1=" + Case.First +
                           u"\n"),
              CurrentFirst);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, LegacyCaseFoldTest,
    testing::Values(TCasePairCase{"Ligature", u"\u0153uvre", u"\u0152UVRE", true},
                    TCasePairCase{"Caron", u"\u0160KODA", u"\u0161koda", true},
                    TCasePairCase{"Stroke", u"\u0141\u00F3d\u017A", u"\u0141\u00D3D\u0179", true},
                    TCasePairCase{"YWithDiaeresis", u"\u00FF", u"\u0178", true},
                    TCasePairCase{"Greek", u"\u03C3\u03BF\u03C6\u03AF\u03B1",
                                  u"\u03A3\u039F\u03A6\u038A\u0391", true},
                    TCasePairCase{"FinalSigmaAndCapital", u"\u03BB\u03CC\u03B3\u03BF\u03C2",
                                  u"\u039B\u038C\u0393\u039F\u03A3", true},
                    TCasePairCase{"FinalSigmaAndSmall", u"\u03C2", u"\u03C3", true},
                    TCasePairCase{"Cyrillic", u"\u041C\u043E\u0441\u043A\u0432\u0430",
                                  u"\u041C\u041E\u0421\u041A\u0412\u0410", true},
                    TCasePairCase{"KelvinSign", u"\u212A", u"k", true},
                    TCasePairCase{"OutsideTheBasicPlane", u"\U00010400", u"\U00010428", true},
                    TCasePairCase{"AccentsDiffer", u"e", u"\u00E8", false},
                    TCasePairCase{"SharpSIsNotTwoLetters", u"stra\u00DFe", u"STRASSE", false},
                    TCasePairCase{"CapitalSharpS", u"\u1E9E", u"\u00DF", true},
                    TCasePairCase{"DottedCapitalIIsNotI", u"\u0130", u"i", false}),
    [](const auto& Info) { return std::string(Info.param.Name); });

} // namespace
