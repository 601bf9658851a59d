// SPDX-License-Identifier: GPL-3.0-or-later
#include "textencoding.h"

#include <gtest/gtest.h>

namespace {

struct TDecodeCase
{
    const char* Name;
    std::string Bytes;
    std::u16string Expected;

    friend void PrintTo(const TDecodeCase& C, std::ostream* Os) { *Os << C.Name; }
};

class DecodeTextTest : public testing::TestWithParam<TDecodeCase>
{
};

TEST_P(DecodeTextTest, GivesTheText)
{
    EXPECT_EQ(DecodeText(GetParam().Bytes), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Plain, DecodeTextTest,
                         testing::Values(TDecodeCase{"Empty", "", u""},
                                         TDecodeCase{"Ascii", "Roma\r\namor", u"Roma\r\namor"},
                                         TDecodeCase{"EmbeddedNull", std::string("a\0b", 3),
                                                     std::u16string(u"a\0b", 3)}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

INSTANTIATE_TEST_SUITE_P(
    Utf16Le, DecodeTextTest,
    testing::Values(
        TDecodeCase{"WithMark", std::string("\xFF\xFEP\0\xE8\0\x2D\x4E", 8), u"P\u00E8\u4E2D"},
        TDecodeCase{"OnlyMark", "\xFF\xFE", u""},
        TDecodeCase{"OddTrailingByteDropped", std::string("\xFF\xFEO\0K", 5), u"O"},
        TDecodeCase{"SurrogatePair", std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), u"\U0001F600"},
        // Bytes that would be valid UTF-8 still follow the mark.
        TDecodeCase{"MarkBeforeUtf8Bytes", "\xFF\xFE\xC3\xA8", u"\uA8C3"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

INSTANTIATE_TEST_SUITE_P(
    Utf8, DecodeTextTest,
    testing::Values(TDecodeCase{"WithMark", "\xEF\xBB\xBFPerch\xC3\xA8", u"Perch\u00E8"},
                    TDecodeCase{"WithoutMark", "Perch\xC3\xA8", u"Perch\u00E8"},
                    TDecodeCase{"FourBytes", "\xF0\x9F\x98\x80", u"\U0001F600"},
                    TDecodeCase{"OnlyMark", "\xEF\xBB\xBF", u""},
                    // Only the first mark is one.
                    TDecodeCase{"MarkTwice", "\xEF\xBB\xBF\xEF\xBB\xBF", u"\uFEFF"},
                    // After the mark, a damaged byte costs one character,
                    // not the whole file.
                    TDecodeCase{"MarkThenInvalidByte", "\xEF\xBB\xBFPerch\xE8!", u"Perch\uFFFD!"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

INSTANTIATE_TEST_SUITE_P(
    Windows1252, DecodeTextTest,
    testing::Values(TDecodeCase{"Perche", "Perch\xE8", u"Perch\u00E8"},
                    TDecodeCase{"Euro", "\x80", u"\u20AC"},
                    // One invalid byte makes the whole text Windows-1252, including the
                    // pair that alone would have been UTF-8.
                    TDecodeCase{"MostlyUtf8", "Citt\xC3\xA0 perch\xE8",
                                u"Citt\u00C3\u00A0 perch\u00E8"},
                    TDecodeCase{"TruncatedUtf8AtEnd", "Citt\xC3", u"Citt\u00C3"},
                    TDecodeCase{"LoneFirstMarkByte", "\xFF", u"\u00FF"},
                    TDecodeCase{"Utf16BigEndianMarkIsNoMark", "\xFE\xFF", u"\u00FE\u00FF"},
                    TDecodeCase{"HighRow",
                                "\x80\x81\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8D\x8E\x8F"
                                "\x90\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9D\x9E\x9F",
                                u"\u20AC\u0081\u201A\u0192\u201E\u2026\u2020\u2021"
                                u"\u02C6\u2030\u0160\u2039\u0152\u008D\u017D\u008F"
                                u"\u0090\u2018\u2019\u201C\u201D\u2022\u2013\u2014"
                                u"\u02DC\u2122\u0161\u203A\u0153\u009D\u017E\u0178"},
                    TDecodeCase{"Latin1Range", "\xA0\xBF\xC0\xD7\xDF\xF7\xFE",
                                u"\u00A0\u00BF\u00C0\u00D7\u00DF\u00F7\u00FE"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

struct TEncodingCase
{
    const char* Name;
    std::string Bytes;
    TTextEncoding Expected;

    friend void PrintTo(const TEncodingCase& C, std::ostream* Os) { *Os << C.Name; }
};

class DetectTextEncodingTest : public testing::TestWithParam<TEncodingCase>
{
};

// Writing a changed line back must use the encoding the reader assumed, and
// the bytes of every other character must survive a decode and re-encode.
TEST_P(DetectTextEncodingTest, NamesTheEncodingAndEncodesBack)
{
    const TTextEncoding Encoding = DetectTextEncoding(GetParam().Bytes);
    EXPECT_EQ(Encoding, GetParam().Expected);
    const std::string_view Mark = ByteOrderMark(Encoding);
    EXPECT_TRUE(std::string_view(GetParam().Bytes).starts_with(Mark));
    const std::string_view Text = std::string_view(GetParam().Bytes).substr(Mark.size());
    EXPECT_EQ(EncodeTextAs(DecodeTextAs(Text, Encoding), Encoding), Text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DetectTextEncodingTest,
    testing::Values(
        TEncodingCase{"Empty", "", TTextEncoding::teUtf8},
        TEncodingCase{"Utf8", "Perch\xC3\xA8 \xF0\x9F\x98\x80", TTextEncoding::teUtf8},
        TEncodingCase{"Utf8Marked", "\xEF\xBB\xBFPerch\xC3\xA8", TTextEncoding::teUtf8Marked},
        TEncodingCase{"Utf16Le", std::string("\xFF\xFEP\0\x3D\xD8\x00\xDE\x00\xD8", 10),
                      TTextEncoding::teUtf16Le},
        TEncodingCase{"Windows1252HighRow",
                      "\x80\x81\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8D\x8E\x8F"
                      "\x90\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9D\x9E\x9F",
                      TTextEncoding::teWindows1252},
        TEncodingCase{"Windows1252Latin1", "\xA0\xBF\xC0\xD7\xDF\xF7\xFE\xFF",
                      TTextEncoding::teWindows1252},
        TEncodingCase{"Utf16BigEndianMarkIsNoMark", "\xFE\xFF", TTextEncoding::teWindows1252}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(EncodeTextAsTest, Windows1252HasNoRoomForTheRest)
{
    EXPECT_EQ(EncodeTextAs(u"a\u4E2D\u0080\U0001F600\u20AC", TTextEncoding::teWindows1252),
              "a" + std::string(4, '?') + "\x80");
}

} // namespace
