// SPDX-License-Identifier: GPL-3.0-or-later
#include "utf8.h"

#include <gtest/gtest.h>

namespace {

struct TUtf8Case
{
    const char* Name;
    std::string Input;
    std::optional<std::u16string> Strict;
    std::u16string Replaced;

    friend void PrintTo(const TUtf8Case& C, std::ostream* Os) { *Os << C.Name; }
};

class Utf8Test : public testing::TestWithParam<TUtf8Case>
{
};

TEST_P(Utf8Test, DecodesStrictly)
{
    EXPECT_EQ(Utf8ToUtf16(GetParam().Input), GetParam().Strict);
}

TEST_P(Utf8Test, ReplacesEachIllFormedStretchOnce)
{
    EXPECT_EQ(Utf8ToUtf16Replacing(GetParam().Input), GetParam().Replaced);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, Utf8Test,
    testing::Values(
        TUtf8Case{"Empty", "", u"", u""}, TUtf8Case{"Ascii", "Roma", u"Roma", u"Roma"},
        TUtf8Case{"TwoBytes", "Perch\xC3\xA9", u"Perch\u00E9", u"Perch\u00E9"},
        TUtf8Case{"ThreeBytes", "\xE4\xB8\xAD", u"\u4E2D", u"\u4E2D"},
        TUtf8Case{"FourBytes", "\xF0\x9F\x98\x80", u"\U0001F600", u"\U0001F600"},
        TUtf8Case{"Highest", "\xF4\x8F\xBF\xBF", u"\U0010FFFF", u"\U0010FFFF"},
        TUtf8Case{"StrayContinuation", "\x80", std::nullopt, u"\uFFFD"},
        TUtf8Case{"InvalidLead", "a\xFF", std::nullopt, u"a\uFFFD"},
        TUtf8Case{"Truncated", "\xC3", std::nullopt, u"\uFFFD"},
        TUtf8Case{"BadContinuation", "\xC3(", std::nullopt, u"\uFFFD("},
        TUtf8Case{"TruncatedThreeBeforeAscii", "\xE4\xB8z", std::nullopt, u"\uFFFDz"},
        TUtf8Case{"TruncatedFourAtEnd", "a\xF0\x9F\x98", std::nullopt, u"a\uFFFD"},
        TUtf8Case{"Overlong", "\xC0\xAF", std::nullopt, u"\uFFFD\uFFFD"},
        TUtf8Case{"OverlongThree", "\xE0\x80\xAF", std::nullopt, u"\uFFFD\uFFFD\uFFFD"},
        TUtf8Case{"EncodedSurrogate", "\xED\xA0\x80", std::nullopt, u"\uFFFD\uFFFD\uFFFD"},
        TUtf8Case{"AboveUnicode", "\xF4\x90\x80\x80", std::nullopt, u"\uFFFD\uFFFD\uFFFD\uFFFD"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

struct TUtf16Case
{
    const char* Name;
    std::u16string Input;
    std::string Expected;

    friend void PrintTo(const TUtf16Case& C, std::ostream* Os) { *Os << C.Name; }
};

class Utf16Test : public testing::TestWithParam<TUtf16Case>
{
};

TEST_P(Utf16Test, EncodesToUtf8)
{
    EXPECT_EQ(Utf16ToUtf8(GetParam().Input), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, Utf16Test,
    testing::Values(
        TUtf16Case{"Empty", u"", ""}, TUtf16Case{"Ascii", u"Roma", "Roma"},
        TUtf16Case{"EmbeddedNull", std::u16string(u"a\0b", 3), std::string("a\0b", 3)},
        TUtf16Case{"TwoBytes", u"Perch\u00E9\u07FF", "Perch\xC3\xA9\xDF\xBF"},
        TUtf16Case{"ThreeBytes", u"\u0800\u4E2D\uFFFF", "\xE0\xA0\x80\xE4\xB8\xAD\xEF\xBF\xBF"},
        TUtf16Case{"SurrogatePair", u"\U0001F600", "\xF0\x9F\x98\x80"},
        TUtf16Case{"HighestPair", u"\U00010000\U0010FFFF", "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"},
        TUtf16Case{"LoneHighAtEnd", u"a\xD83D", "a\xEF\xBF\xBD"},
        TUtf16Case{"LoneHighBeforeAscii",
                   u"\xD83D"
                   u"b",
                   "\xEF\xBF\xBD"
                   "b"},
        TUtf16Case{"LoneLow", u"\xDE00z", "\xEF\xBF\xBDz"},
        TUtf16Case{"TwoHighsThenLow", u"\xD83D\xD83D\xDE00", "\xEF\xBF\xBD\xF0\x9F\x98\x80"},
        TUtf16Case{"ReversedPair", u"\xDE00\xD83D", "\xEF\xBF\xBD\xEF\xBF\xBD"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

// Every code point that UTF-16 can carry survives the trip through UTF-8.
TEST(Utf16Test, RoundTripsThroughTheStrictDecoder)
{
    std::u16string Text;
    for (char32_t C = 0; C <= 0x10FFFF; C += 0x101) {
        if (C >= 0xD800 && C <= 0xDFFF)
            continue;
        if (C < 0x10000) {
            Text.push_back(static_cast<char16_t>(C));
        } else {
            Text.push_back(static_cast<char16_t>(0xD800 + ((C - 0x10000) >> 10)));
            Text.push_back(static_cast<char16_t>(0xDC00 + ((C - 0x10000) & 0x3FF)));
        }
    }
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(Text)), Text);
}

} // namespace
