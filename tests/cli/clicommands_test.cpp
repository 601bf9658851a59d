// SPDX-License-Identifier: GPL-3.0-or-later
#include "clicommands.h"
#include "tempfolder.h"

#include <filesystem>
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

TRun RunCommand(const std::vector<std::string>& AArgs, const std::string& AInput = {})
{
    std::istringstream In(AInput);
    std::ostringstream Out, Err;
    const int Code = RunCli(AArgs, In, Out, Err);
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

class CliDocumentTest : public testing::Test
{
protected:
    TTempFolder Folder;
};

const std::string Reversed = "ZYXWVUTSRQPONMLKJIHGFEDCBA";

TEST_F(CliDocumentTest, NewThenShowGivesTheDocumentBack)
{
    const std::string Path = Folder.File("doc.vbf");
    const TRun Made = RunCommand({"new", Path, "--sentence", "Citt\xC3\xA0 \xF0\x9F\x98\x80",
                                  "--attempt", "attic", "--attempt", "tic", "--order", Reversed});
    ASSERT_EQ(Made.Code, ExitSuccess) << Made.Err;
    const TRun Shown = RunCommand({"show", Path});
    ASSERT_EQ(Shown.Code, ExitSuccess) << Shown.Err;
    // Written piece by piece, it is still one JSON value on one line, as
    // dumping the whole value at once would write it.
    EXPECT_EQ(Shown.Out, nlohmann::ordered_json::parse(Shown.Out).dump() + "\n");
    const auto Json = nlohmann::json::parse(Shown.Out);
    EXPECT_EQ(Json["sentence"], "Citt\xC3\xA0 \xF0\x9F\x98\x80");
    EXPECT_EQ(Json["order"], Reversed);
    ASSERT_EQ(Json["attempts"].size(), 2u);
    EXPECT_EQ(Json["attempts"][0]["text"], "attic");
    EXPECT_EQ(Json["attempts"][0]["status"], "complete");
    EXPECT_EQ(Json["attempts"][1]["status"], "incomplete");
    EXPECT_EQ(Json["attempts"][1]["letters"]["A"], 1);
    EXPECT_EQ(Json["attempts"][1]["letters"]["T"], 1);
}

TEST_F(CliDocumentTest, NewWithoutAttemptsHoldsOneEmptyAttempt)
{
    const std::string Path = Folder.File("doc.vbf");
    ASSERT_EQ(RunCommand({"new", Path, "--sentence", ""}).Code, ExitSuccess);
    EXPECT_EQ(ReadBytes(Path).size(), 63u);
    const auto Json = nlohmann::json::parse(RunCommand({"show", Path}).Out);
    EXPECT_EQ(Json["attempts"].size(), 1u);
    EXPECT_EQ(Json["attempts"][0]["status"], "empty");
    EXPECT_EQ(Json["order"], "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
}

TEST_F(CliDocumentTest, BadNewArgumentsAreUsageErrorsAndWriteNothing)
{
    const std::string Path = Folder.File("doc.vbf");
    for (const std::vector<std::string>& Args :
         {std::vector<std::string>{"new", Path, "--sentence", "a", "--order", "ABC"},
          {"new", Path, "--sentence", "a", "--order", "AACDEFGHIJKLMNOPQRSTUVWXYZ"},
          {"new", Path, "--sentence", "a", "--order", "abcdefghijklmnopqrstuvwxyz"},
          {"new", Path, "--attempt", "a"},
          {"new", Path, "--sentence"},
          {"new", Path, "--sentence", "a", "--colour", "red"},
          {"new"}}) {
        EXPECT_EQ(RunCommand(Args).Code, ExitUsage) << Args.size();
    }
    EXPECT_FALSE(std::filesystem::exists(Path));
}

TEST_F(CliDocumentTest, ShowPrintsAnUnpairedSurrogateAsReplacement)
{
    const std::string Path = Folder.File("doc.vbf");
    WriteBytes(Path, std::string("\x13J\x01\x00\x00\x00\x00\xD8", 8));
    const TRun Shown = RunCommand({"show", Path});
    ASSERT_EQ(Shown.Code, ExitSuccess) << Shown.Err;
    EXPECT_EQ(nlohmann::json::parse(Shown.Out)["sentence"], "\xEF\xBF\xBD");
}

TEST_F(CliDocumentTest, UnreadableFilesExitWithTheirMessage)
{
    const std::string Missing = Folder.File("missing.vbf");
    const TRun R = RunCommand({"show", Missing});
    EXPECT_EQ(R.Code, ExitFileError);
    EXPECT_EQ(R.Err,
              "verbanto-cli: Cannot open file \"" + Missing + "\". No such file or directory\n");
    EXPECT_TRUE(R.Out.empty());

    const std::string Bad = Folder.File("bad.vbf");
    WriteBytes(Bad, std::string("\x13J\xFF\xFF\xFF\xFF", 6));
    const TRun Malformed = RunCommand({"convert", Bad, Folder.File("out.vbf")});
    EXPECT_EQ(Malformed.Code, ExitFileError);
    EXPECT_NE(Malformed.Err.find("is negative (-1) at byte offset 2"), std::string::npos)
        << Malformed.Err;
    EXPECT_FALSE(std::filesystem::exists(Folder.File("out.vbf")));

    const TRun Device = RunCommand({"show", "/dev/zero"});
    EXPECT_EQ(Device.Code, ExitFileError);
    EXPECT_EQ(Device.Err, "verbanto-cli: Cannot open file \"/dev/zero\". Not a regular file\n");
}

TEST_F(CliDocumentTest, ConvertWritesTheCurrentLayout)
{
    const std::string Old = Folder.File("old.vbf");
    WriteBytes(Old, "[MAIN]\nfrase=ab\nanagramma=ba\n");
    const std::string New = Folder.File("new.vbf");
    ASSERT_EQ(RunCommand({"convert", Old, New}).Code, ExitSuccess);
    const std::string Bytes = ReadBytes(New);
    EXPECT_EQ(Bytes.size(), 71u);
    EXPECT_EQ(Bytes.substr(0, 3), "\x13\x62\x01");
}

} // namespace
