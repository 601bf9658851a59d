// SPDX-License-Identifier: GPL-3.0-or-later
#include "clicommands.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

namespace {

struct TRun
{
    int Code;
    std::string Out;
    std::string Err;
};

TRun RunCommand(const std::vector<std::string>& AArgs)
{
    std::ostringstream Out, Err;
    const int Code = RunCli(AArgs, Out, Err);
    return {Code, Out.str(), Err.str()};
}

TEST(CliTest, TallyOfCasaAgainstAss)
{
    const TRun R = RunCommand({"tally", "Casa", "Ass"});
    ASSERT_EQ(R.Code, ExitSuccess) << R.Err;
    const auto Json = nlohmann::json::parse(R.Out);
    EXPECT_EQ(Json["status"], "excess");
    EXPECT_EQ(Json["letters"]["A"], 1);
    EXPECT_EQ(Json["letters"]["C"], 1);
    EXPECT_EQ(Json["letters"]["S"], -1);
    EXPECT_EQ(Json["letters"]["Z"], 0);
    EXPECT_EQ(Json["letters"].size(), 26u);
    EXPECT_EQ(Json["vowels"], "A");
    EXPECT_EQ(Json["consonants"], "C");
    EXPECT_EQ(R.Out.find("{\"status\""), 0u) << "status comes first";
}

struct TStatusCase
{
    std::vector<std::string> Args;
    std::string Status;

    friend void PrintTo(const TStatusCase& C, std::ostream* Os) { *Os << C.Status; }
};

class CliStatusTest : public testing::TestWithParam<TStatusCase>
{
};

TEST_P(CliStatusTest, NamesTheStatus)
{
    const TRun R = RunCommand(GetParam().Args);
    ASSERT_EQ(R.Code, ExitSuccess) << R.Err;
    EXPECT_EQ(nlohmann::json::parse(R.Out)["status"], GetParam().Status);
}

INSTANTIATE_TEST_SUITE_P(Tallies, CliStatusTest,
                         testing::Values(TStatusCase{{"tally", "  "}, "empty"},
                                         TStatusCase{{"tally", "Roma"}, "incomplete"},
                                         TStatusCase{{"tally", "Roma", "Or \xC3\xA0m"}, "complete"},
                                         TStatusCase{{"tally", "Roma", "ramoz"}, "excess"}));

TEST(CliTest, NormalizePrintsOneLine)
{
    const TRun R = RunCommand({"normalize", "Perch\xC3\xA9, 1 \xC3\x9F!"});
    EXPECT_EQ(R.Code, ExitSuccess);
    EXPECT_EQ(R.Out, "PERCHESS\n");
}

TEST(CliTest, HelpGoesToStandardOutput)
{
    const TRun R = RunCommand({"--help"});
    EXPECT_EQ(R.Code, ExitSuccess);
    EXPECT_NE(R.Out.find("Usage: verbanto-cli"), std::string::npos);
    EXPECT_TRUE(R.Err.empty());
}

struct TArgs
{
    std::vector<std::string> Args;

    friend void PrintTo(const TArgs& C, std::ostream* Os)
    {
        for (const std::string& Arg : C.Args)
            *Os << '[' << Arg << ']';
    }
};

class CliUsageTest : public testing::TestWithParam<TArgs>
{
};

TEST_P(CliUsageTest, IsAUsageError)
{
    const TRun R = RunCommand(GetParam().Args);
    EXPECT_EQ(R.Code, ExitUsage);
    EXPECT_TRUE(R.Out.empty());
    EXPECT_NE(R.Err.find("verbanto-cli: "), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Misuse, CliUsageTest,
                         testing::Values(TArgs{{}}, TArgs{{"bogus"}}, TArgs{{"normalize"}},
                                         TArgs{{"normalize", "a", "b"}}, TArgs{{"tally"}},
                                         TArgs{{"tally", "a", "b", "c"}},
                                         TArgs{{"normalize", "a\xFF"}},
                                         TArgs{{"tally", "Roma", "\xC3"}}));

} // namespace
