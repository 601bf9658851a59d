// SPDX-License-Identifier: GPL-3.0-or-later
#include "anagramengine.h"
#include "tempfolder.h"

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

} // namespace
