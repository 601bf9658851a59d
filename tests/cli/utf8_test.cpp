// SPDX-License-Identifier: GPL-3.0-or-later
#include "utf8.h"

#include <gtest/gtest.h>

namespace {

struct TUtf8Case
{
    const char* Name;
    std::string Input;
    std::optional<std::u16string> Expected;

    friend void PrintTo(const TUtf8Case& C, std::ostream* Os) { *Os << C.Name; }
};

class Utf8Test : public testing::TestWithParam<TUtf8Case>
{
};

TEST_P(Utf8Test, DecodesStrictly)
{
    EXPECT_EQ(Utf8ToUtf16(GetParam().Input), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, Utf8Test,
    testing::Values(TUtf8Case{"Empty", "", u""}, TUtf8Case{"Ascii", "Roma", u"Roma"},
                    TUtf8Case{"TwoBytes", "Perch\xC3\xA9", u"Perch\u00E9"},
                    TUtf8Case{"ThreeBytes", "\xE4\xB8\xAD", u"\u4E2D"},
                    TUtf8Case{"FourBytes", "\xF0\x9F\x98\x80", u"\U0001F600"},
                    TUtf8Case{"StrayContinuation", "\x80", std::nullopt},
                    TUtf8Case{"InvalidLead", "a\xFF", std::nullopt},
                    TUtf8Case{"Truncated", "\xC3", std::nullopt},
                    TUtf8Case{"BadContinuation", "\xC3(", std::nullopt},
                    TUtf8Case{"Overlong", "\xC0\xAF", std::nullopt},
                    TUtf8Case{"OverlongThree", "\xE0\x80\xAF", std::nullopt},
                    TUtf8Case{"EncodedSurrogate", "\xED\xA0\x80", std::nullopt},
                    TUtf8Case{"AboveUnicode", "\xF4\x90\x80\x80", std::nullopt}),
    [](const auto& Info) { return std::string(Info.param.Name); });

} // namespace
