// SPDX-License-Identifier: GPL-3.0-or-later
#include "anagramengine.h"

#include <gtest/gtest.h>
#include <locale.h>

namespace {

struct TFilterCase
{
    char16_t Input;
    char16_t Expected;

    friend void PrintTo(const TFilterCase& C, std::ostream* Os)
    {
        *Os << std::hex << "0x" << int(C.Input);
    }
};

class FilterTest : public testing::TestWithParam<TFilterCase>
{
};

TEST_P(FilterTest, WideAndNarrowAgree)
{
    const TFilterCase& Case = GetParam();
    EXPECT_EQ(TAnagramEngine::Filter(Case.Input), Case.Expected);
    if (Case.Input < 0x80) {
        EXPECT_EQ(TAnagramEngine::Filter(static_cast<char>(Case.Input)),
                  static_cast<char>(Case.Expected));
    }
}

INSTANTIATE_TEST_SUITE_P(Letters, FilterTest,
                         testing::Values(TFilterCase{u'A', u'A'}, TFilterCase{u'Z', u'Z'},
                                         TFilterCase{u'a', u'A'}, TFilterCase{u'z', u'Z'},
                                         TFilterCase{0x40, 0}, TFilterCase{0x5B, 0},
                                         TFilterCase{0x60, 0}, TFilterCase{0x7B, 0},
                                         TFilterCase{0x00, 0}, TFilterCase{u'5', 0},
                                         TFilterCase{0xE9, 0}, TFilterCase{0xC1, 0},
                                         TFilterCase{0x0141, 0}));

TEST(FilterTest, NarrowBytesAboveAsciiAreNoLetters)
{
    EXPECT_EQ(TAnagramEngine::Filter(static_cast<char>(0xC1)), 0);
    EXPECT_EQ(TAnagramEngine::Filter(static_cast<char>(0xE1)), 0);
}

struct TNormalizeCase
{
    const char* Name;
    std::u16string Input;
    std::u16string Expected;

    friend void PrintTo(const TNormalizeCase& C, std::ostream* Os) { *Os << C.Name; }
};

class NormalizeStringTest : public testing::TestWithParam<TNormalizeCase>
{
};

TEST_P(NormalizeStringTest, GivesTheLettersInOrder)
{
    EXPECT_EQ(TAnagramEngine::Normalize(std::u16string_view(GetParam().Input)),
              GetParam().Expected);
}

// The tally converts the ASCII and the other code units apart, to save
// time: it must count exactly the letters that the normalisation lists.
TEST_P(NormalizeStringTest, TallyCountsTheSameLetters)
{
    TLetters Expected;
    for (char16_t L : GetParam().Expected)
        ++Expected[L];
    TLetters Counted;
    TAnagram::ProcessString(GetParam().Input, true, Counted);
    EXPECT_EQ(Counted, Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NormalizeStringTest,
    testing::Values(TNormalizeCase{"Empty", u"", u""}, TNormalizeCase{"Mixed", u"Ab1 c!", u"ABC"},
                    TNormalizeCase{"Punctuation", u"Roma, amor.", u"ROMAAMOR"},
                    TNormalizeCase{"Blanks", u" \t\r\n0123456789.,;:!?'\"()", u""},
                    TNormalizeCase{"EmbeddedNull", std::u16string(u"a\0b", 3), u"AB"},
                    TNormalizeCase{"Accents", u"Perch\u00E9 citt\u00E0 \u00C8", u"PERCHECITTAE"},
                    TNormalizeCase{"Ligatures", u"\u00DF\u00E6\u0153\uFB01", u"SSAEOEFI"},
                    TNormalizeCase{"StrokedLetters", u"\u00F8\u0142", u"OL"},
                    TNormalizeCase{"CombiningAccentDropped", u"e\u0301", u"E"},
                    TNormalizeCase{"Ideograph", u"a\u4E2Db", u"AB"},
                    TNormalizeCase{"SymbolWithoutRendering", u"\u2603x", u"X"},
                    TNormalizeCase{"SurrogatePair", u"a\U0001F600b", u"AB"},
                    TNormalizeCase{"LoneHighSurrogateAtEnd", u"ab\xD800", u"AB"},
                    TNormalizeCase{"LoneLowSurrogateAtEnd", u"ab\xDC00", u"AB"},
                    TNormalizeCase{"LoneSurrogateInside",
                                   u"a\xDC00"
                                   u"b",
                                   u"AB"},
                    TNormalizeCase{"NoBreakSpace", u"a\u00A0b", u"AB"},
                    TNormalizeCase{"LongRendering", u"x\u33AFy", u"XRADSY"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

struct TKeyCase
{
    const char* Name;
    char16_t Key;
    std::u16string Expected;

    friend void PrintTo(const TKeyCase& C, std::ostream* Os) { *Os << C.Name; }
};

class NormalizeKeyTest : public testing::TestWithParam<TKeyCase>
{
};

TEST_P(NormalizeKeyTest, GivesTheLettersOfOneCodeUnit)
{
    EXPECT_EQ(TAnagramEngine::Normalize(GetParam().Key), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, NormalizeKeyTest,
    testing::Values(TKeyCase{"Lower", u'a', u"A"}, TKeyCase{"Upper", u'A', u"A"},
                    TKeyCase{"Space", u' ', u""}, TKeyCase{"Digit", u'7', u""},
                    TKeyCase{"Punctuation", u'!', u""}, TKeyCase{"Backspace", 0x08, u""},
                    TKeyCase{"Return", 0x0D, u""}, TKeyCase{"Null", 0x00, u""},
                    TKeyCase{"EAcute", 0xE9, u"E"}, TKeyCase{"Ae", 0xE6, u"AE"},
                    TKeyCase{"HighSurrogate", 0xD83D, u""}, TKeyCase{"LowSurrogate", 0xDC00, u""},
                    TKeyCase{"Ideograph", 0x4E2D, u""}),
    [](const auto& Info) { return std::string(Info.param.Name); });

// Tallies must not change with the user's locale, and the caller's locale
// must survive the call.
TEST(NormalizeTest, FoldsAccentsUnderThePlainCLocaleToo)
{
    locale_t Plain = newlocale(LC_ALL_MASK, "C", locale_t{});
    ASSERT_NE(Plain, locale_t{});
    locale_t Before = uselocale(Plain);

    EXPECT_EQ(TAnagramEngine::Normalize(std::u16string_view(u"Perch\u00E9")), u"PERCHE");
    EXPECT_EQ(TAnagramEngine::Normalize(char16_t{0xF2}), u"O");
    EXPECT_EQ(uselocale(locale_t{}), Plain);

    uselocale(Before);
    freelocale(Plain);
}

TEST(NormalizeTest, CountsEveryLetterOfALongText)
{
    std::u16string Text;
    for (int I = 0; I < 20000; ++I)
        Text += u"\u00E8 a\U0001F600";
    const std::u16string Letters = TAnagramEngine::Normalize(std::u16string_view(Text));
    EXPECT_EQ(Letters.size(), 40000u);
    EXPECT_EQ(Letters.substr(0, 4), u"EAEA");
}

} // namespace
