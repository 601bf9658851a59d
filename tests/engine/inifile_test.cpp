// SPDX-License-Identifier: GPL-3.0-or-later
#include "inifile.h"
#include "tempfolder.h"
#include "textencoding.h"

#include <gtest/gtest.h>

namespace {

constexpr std::u16string_view Default = u"(default)";

struct TReadCase
{
    const char* Name;
    std::u16string Text;
    std::u16string Section;
    std::u16string Key;
    std::u16string Expected;

    friend void PrintTo(const TReadCase& C, std::ostream* Os) { *Os << C.Name; }
};

class ReadStringTest : public testing::TestWithParam<TReadCase>
{
};

TEST_P(ReadStringTest, FindsTheValue)
{
    const TReadCase& Case = GetParam();
    EXPECT_EQ(TIniFile(Case.Text).ReadString(Case.Section, Case.Key, Default), Case.Expected);
}

const auto CaseName = [](const auto& Info) { return std::string(Info.param.Name); };

INSTANTIATE_TEST_SUITE_P(
    Names, ReadStringTest,
    testing::Values(
        TReadCase{"AsciiIgnoresCase", u"[Opzioni]\nLingua=it", u"OPZIONI", u"lINGUA", u"it"},
        TReadCase{"Latin1IgnoresCase", u"[Citt\u00E0]\nPerch\u00E9=s\u00EC", u"CITT\u00C0",
                  u"PERCH\u00C9", u"s\u00EC"},
        TReadCase{"ValueKeepsItsCase", u"[S]\nK=MiXeD", u"s", u"k", u"MiXeD"},
        TReadCase{"DivisionSignIsNoLetter", u"[S]\n\u00F7=x", u"S", u"\u00D7", u"(default)"},
        TReadCase{"YDiaeresisIsNotSharpS", u"[S]\n\u00FF=x", u"S", u"\u00DF", u"(default)"},
        TReadCase{"BlanksAroundSectionName", u"  [ \tS p\t ]  \nK=v", u"S p", u"K", u"v"},
        TReadCase{"HeaderWithoutBracket", u"[Sec \nK=v", u"Sec", u"K", u"v"},
        TReadCase{"TextAfterHeaderIgnored", u"[Sec] ; a=b\nK=v", u"Sec", u"K", u"v"},
        TReadCase{"EmptySectionName", u"K=v\n[]\nL=w", u"", u"L", u"w"},
        TReadCase{"EntriesBeforeAnySectionIgnored", u"K=v\n[]\nL=w", u"", u"K", u"(default)"},
        TReadCase{"MissingSection", u"[A]\nK=a", u"B", u"K", u"(default)"},
        TReadCase{"MissingKey", u"[A]\nK=a", u"A", u"L", u"(default)"},
        TReadCase{"KeyOfAnotherSection", u"[A]\nK=a\n[B]\nL=b", u"B", u"K", u"(default)"},
        TReadCase{"LineWithoutEqualsIgnored", u"[S]\nK\nK=v", u"S", u"K", u"v"},
        TReadCase{"PlainLineIsNoKey", u"[S]\nJust text", u"S", u"Just text", u"(default)"}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Values, ReadStringTest,
    testing::Values(TReadCase{"BlanksAroundKeyAndValue", u"[S]\n \t K \t = \t v a l \t \n", u"S",
                              u"K", u"v a l"},
                    TReadCase{"EmptyValueIsNoDefault", u"[S]\nK=\n", u"S", u"K", u""},
                    TReadCase{"BlankValue", u"[S]\nK= \t ", u"S", u"K", u""},
                    TReadCase{"ContainsEquals", u"[S]\nK=a=b", u"S", u"K", u"a=b"},
                    TReadCase{"KeyEndsAtTheFirstEquals", u"[S]\nK = =x", u"S", u"K", u"=x"},
                    TReadCase{"SemicolonInsideValue", u"[S]\nK=a ; b", u"S", u"K", u"a ; b"},
                    TReadCase{"EmbeddedNull", std::u16string(u"[S]\nK=a\0b\nL=c", 13), u"S", u"K",
                              std::u16string(u"a\0b", 3)},
                    TReadCase{"AfterEmbeddedNull", std::u16string(u"[S]\nK=a\0b\nL=c", 13), u"S",
                              u"L", u"c"}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Quotes, ReadStringTest,
    testing::Values(TReadCase{"KeepInnerBlanks", u"[S]\nK=\" a b \"", u"S", u"K", u" a b "},
                    TReadCase{"BlanksOutsideTrimmedFirst", u"[S]\nK=  \"x\"  ", u"S", u"K", u"x"},
                    TReadCase{"OnlyOnePairRemoved", u"[S]\nK=\"\"x\"\"", u"S", u"K", u"\"x\""},
                    TReadCase{"EmptyPair", u"[S]\nK=\"\"", u"S", u"K", u""},
                    TReadCase{"LoneQuoteStays", u"[S]\nK=\"", u"S", u"K", u"\""},
                    TReadCase{"OpeningOnlyStays", u"[S]\nK=\"abc", u"S", u"K", u"\"abc"},
                    TReadCase{"InsideStay", u"[S]\nK=a\"b\"c", u"S", u"K", u"a\"b\"c"}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Comments, ReadStringTest,
    testing::Values(TReadCase{"Skipped", u"[S]\n;K=v\nK=w", u"S", u"K", u"w"},
                    TReadCase{"Indented", u"[S]\n \t;K=v", u"S", u"K", u"(default)"},
                    TReadCase{"KeyStartingWithSemicolon", u"[S]\n;K=v", u"S", u";K", u"(default)"}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    LineEnds, ReadStringTest,
    testing::Values(TReadCase{"Lf", u"[S]\nK=v\nL=w", u"S", u"K", u"v"},
                    TReadCase{"CrLf", u"[S]\r\nK=v\r\nL=w", u"S", u"K", u"v"},
                    TReadCase{"Cr", u"[S]\rK=v\rL=w", u"S", u"K", u"v"},
                    TReadCase{"LastLineWithoutEnd", u"[S]\r\nK=v\r\nL=w", u"S", u"L", u"w"},
                    TReadCase{"Mixed", u"[A]\r\n[B]\rK=b\n[C]\r\rK=c\r\n", u"C", u"K", u"c"}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Repeats, ReadStringTest,
    testing::Values(TReadCase{"DuplicateKeyFirstWins", u"[S]\nK=1\nk=2", u"S", u"K", u"1"},
                    TReadCase{"SectionTwiceFirstWins", u"[S]\nK=1\n[T]\nK=t\n[s]\nK=2", u"S", u"K",
                              u"1"},
                    TReadCase{"SecondSectionOfTheSameName", u"[S]\nA=1\n[T]\nK=t\n[ s ]\nK=2\nK=3",
                              u"S", u"K", u"2"}),
    CaseName);

struct TWriteCase
{
    const char* Name;
    std::string Before;
    std::u16string Section;
    std::u16string Key;
    std::u16string Value;
    std::string After;

    friend void PrintTo(const TWriteCase& C, std::ostream* Os) { *Os << C.Name; }
};

class WriteIniStringTest : public testing::TestWithParam<TWriteCase>
{
};

TEST_P(WriteIniStringTest, ChangesOneLineAndReadsBack)
{
    const TWriteCase& Case = GetParam();
    const std::string After = WriteIniString(Case.Before, Case.Section, Case.Key, Case.Value);
    EXPECT_EQ(After, Case.After);
    EXPECT_EQ(TIniFile(DecodeText(After)).ReadString(Case.Section, Case.Key, Default), Case.Value);
}

INSTANTIATE_TEST_SUITE_P(
    Places, WriteIniStringTest,
    testing::Values(
        TWriteCase{"EmptyText", "", u"S", u"K", u"v", "[S]\nK=v\n"},
        TWriteCase{"ValueOnlyReplaced", "[S]\n\t k \t= \"a=b\"  \n", u"S", u"K", u"v",
                   "[S]\n\t k \t= v  \n"},
        TWriteCase{"AfterTheLastEntryNotBeforeTheNextHeader", "[S]\nA=1\n\n; about T\n[T]\n", u"S",
                   u"K", u"v", "[S]\nA=1\nK=v\n\n; about T\n[T]\n"},
        TWriteCase{"EmptySectionGetsItAfterItsHeader", "[S]\n[T]\nA=1\n", u"S", u"K", u"v",
                   "[S]\nK=v\n[T]\nA=1\n"},
        TWriteCase{"KeyOfAnotherSectionUntouched", "[T]\nK=1\n[S]\nA=1\n", u"S", u"K", u"v",
                   "[T]\nK=1\n[S]\nA=1\nK=v\n"},
        TWriteCase{"CommentedOutKeyUntouched", "[S]\n;K=1\n", u"S", u"K", u"v", "[S]\nK=v\n;K=1\n"},
        TWriteCase{"CrOnly", "[S]\rA=1\r", u"S", u"K", u"v", "[S]\rA=1\rK=v\r"},
        TWriteCase{"LineEndOfTheFirstBreak", "[T]\r\nA=1\nB=2", u"S", u"K", u"v",
                   "[T]\r\nA=1\nB=2\r\n[S]\r\nK=v\r\n"}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Encodings, WriteIniStringTest,
    testing::Values(TWriteCase{"Utf8NamesIgnoreCase", "[Citt\xC3\xA0]\nPerch\xC3\xA9=no\n",
                               u"CITT\u00C0", u"PERCH\u00C9", u"s\u00EC",
                               "[Citt\xC3\xA0]\nPerch\xC3\xA9=s\xC3\xAC\n"},
                    TWriteCase{"Windows1252", "[Citt\xE0]\nK=a\n", u"citt\u00E0", u"K",
                               u"\u20AC\u00E8", "[Citt\xE0]\nK=\x80\xE8\n"},
                    TWriteCase{"DamagedUtf8AfterTheMarkKeptOnOtherLines",
                               "\xEF\xBB\xBF; \xE8\n[S]\nK=1\n", u"S", u"K", u"2",
                               "\xEF\xBB\xBF; \xE8\n[S]\nK=2\n"},
                    TWriteCase{"Utf16Le", Utf16Le(u"; \U0001F600\r\n[S]\r\nK=1\r\n"), u"S", u"K",
                               u"\u4E2D", Utf16Le(u"; \U0001F600\r\n[S]\r\nK=\u4E2D\r\n")},
                    TWriteCase{"Utf16LeNewSection", Utf16Le(u"[T]"), u"S", u"K", u"v",
                               Utf16Le(u"[T]\n[S]\nK=v\n")},
                    // The stray byte is no text; kept, it would shift every unit after it.
                    TWriteCase{"Utf16LeOddByteDropped", Utf16Le(u"[S]\nK=1\n") + "x", u"S", u"K",
                               u"2", Utf16Le(u"[S]\nK=2\n")}),
    CaseName);

struct TSectionCase
{
    const char* Name;
    std::u16string Text;
    std::u16string Section;
    std::vector<std::u16string> Expected;

    friend void PrintTo(const TSectionCase& C, std::ostream* Os) { *Os << C.Name; }
};

class ReadSectionValuesTest : public testing::TestWithParam<TSectionCase>
{
};

TEST_P(ReadSectionValuesTest, ListsTheValuesInFileOrder)
{
    const TSectionCase& Case = GetParam();
    EXPECT_EQ(TIniFile(Case.Text).ReadSectionValues(Case.Section), Case.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Sections, ReadSectionValuesTest,
    testing::Values(
        TSectionCase{"DuplicateKeysKept", u"[S]\nB=2\nA=1\nb=3", u"S", {u"2", u"1", u"3"}},
        TSectionCase{
            "BothSectionsOfTheSameName", u"[S]\nA=1\n[T]\nX=x\n[s]\nB=2\n", u"S", {u"1", u"2"}},
        TSectionCase{"MissingSection", u"[S]\nA=1", u"T", {}},
        TSectionCase{"OnlyEntries", u"[S]\r\n;A=1\r\nplain\r\n B = \"2\" \r\n\r\n", u"S", {u"2"}},
        TSectionCase{"EntriesBeforeAnySectionIgnored", u"A=0\n[]\nB=1", u"", {u"1"}}),
    CaseName);

// Letters that differ along the whole text, so that a cut at the wrong end
// or at the wrong length shows.
std::u16string Letters(std::size_t ALength)
{
    std::u16string Text;
    for (std::size_t I = 0; I < ALength; ++I)
        Text.push_back(static_cast<char16_t>(u'a' + I % 26));
    return Text;
}

struct TLengthCase
{
    const char* Name;
    std::size_t Length;
    std::size_t Expected;

    friend void PrintTo(const TLengthCase& C, std::ostream* Os) { *Os << C.Name; }
};

class ValueLengthTest : public testing::TestWithParam<TLengthCase>
{
};

TEST_P(ValueLengthTest, KeepsTheFirst2047Units)
{
    const std::u16string Value = Letters(GetParam().Length);
    const std::u16string Expected = Value.substr(0, GetParam().Expected);
    const TIniFile Ini(u"[S]\nK=" + Value + u"\nQ=\"" + Value + u"\"\n");

    EXPECT_EQ(Ini.ReadString(u"S", u"K", Default), Expected);
    EXPECT_EQ(Ini.ReadString(u"S", u"Q", Default), Expected) << "quotes go before the cut";
    EXPECT_EQ(Ini.ReadSectionValues(u"S"), (std::vector{Expected, Expected}));
    EXPECT_EQ(Ini.ReadString(u"S", u"Missing", Value), Expected) << "the default too";
}

INSTANTIATE_TEST_SUITE_P(Lengths, ValueLengthTest,
                         testing::Values(TLengthCase{"JustUnder", 2046, 2046},
                                         TLengthCase{"AtTheLimit", 2047, 2047},
                                         TLengthCase{"JustOver", 2048, 2047},
                                         TLengthCase{"Long", 3000, 2047}),
                         CaseName);

} // namespace
