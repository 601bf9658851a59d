// SPDX-License-Identifier: GPL-3.0-or-later
#include "clicommands.h"
#include "tempfolder.h"

#include <algorithm>
#include <cstdlib>
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

const std::string WordsDir = VERBANTO_WORDS_DIR;
const std::string ItalianList = WordsDir + "/italiano-crlf.txt";

std::vector<std::string> WordsOf(const nlohmann::json& AJson)
{
    return AJson["words"].get<std::vector<std::string>>();
}

TEST(CliWordsTest, PrintsCountRankedWordsAndVowelsOfTheRemainder)
{
    const TRun R = RunCommand({"words", "--dictionary", ItalianList, "Città dell'arte", "tra"});
    ASSERT_EQ(R.Code, ExitSuccess) << R.Err;
    EXPECT_EQ(R.Out, "{\"count\":9,\"words\":[\"città\",\"ca\",\"al\",\"la\",\"là\",\"te\",\"tè\","
                     "\"e\",\"è\"],\"vowels\":40}\n");
}

TEST(CliWordsTest, AnAttemptInExcessStillGetsWordsForWhatIsLeft)
{
    const TRun R = RunCommand({"words", "--dictionary", ItalianList, "casa", "cz"});
    ASSERT_EQ(R.Code, ExitSuccess) << R.Err;
    const auto Json = nlohmann::json::parse(R.Out);
    EXPECT_EQ(Json["count"], 0);
    EXPECT_EQ(Json["vowels"], 67); // A A S
    const TRun Left = RunCommand({"words", "--dictionary", ItalianList, "TE", "zzz"});
    EXPECT_EQ(WordsOf(nlohmann::json::parse(Left.Out)),
              (std::vector<std::string>{"te", "tè", "e", "è"}));
}

struct TLimitCase
{
    std::vector<std::string> Limit;
    std::size_t Shown;

    friend void PrintTo(const TLimitCase& C, std::ostream* Os) { *Os << C.Shown; }
};

class CliWordsLimitTest : public testing::TestWithParam<TLimitCase>
{
};

TEST_P(CliWordsLimitTest, CutsTheListButNotTheCount)
{
    std::vector<std::string> Args = {"words", "--dictionary", ItalianList};
    Args.insert(Args.end(), GetParam().Limit.begin(), GetParam().Limit.end());
    Args.push_back("Città dell'arte");
    const TRun R = RunCommand(Args);
    ASSERT_EQ(R.Code, ExitSuccess) << R.Err;
    const auto Json = nlohmann::json::parse(R.Out);
    EXPECT_EQ(Json["count"], 15);
    EXPECT_EQ(Json["words"].size(), GetParam().Shown);
    EXPECT_EQ(Json["words"][0], "dell'arte");
}

INSTANTIATE_TEST_SUITE_P(Cases, CliWordsLimitTest,
                         testing::Values(TLimitCase{{}, 15}, TLimitCase{{"--limit", "0"}, 15},
                                         TLimitCase{{"--limit", "1"}, 1},
                                         TLimitCase{{"--limit", "15"}, 15},
                                         TLimitCase{{"--limit", "4", "--limit", "2"}, 2}));

TEST(CliWordsTest, EachLineAnswersEveryAttemptOfOneLoadedList)
{
    const TRun R = RunCommand(
        {"words", "--each-line", "--limit", "2", "--dictionary", ItalianList, "Città dell'arte"},
        "tra\r\n\nCittà dell'arte\ncittà dell'arte zz\n");
    ASSERT_EQ(R.Code, ExitSuccess) << R.Err;
    std::istringstream Lines(R.Out);
    std::vector<nlohmann::json> Objects;
    for (std::string Line; std::getline(Lines, Line);)
        Objects.push_back(nlohmann::json::parse(Line));
    ASSERT_EQ(Objects.size(), 4u);
    EXPECT_EQ(Objects[0]["count"], 9);
    EXPECT_EQ(WordsOf(Objects[0]), (std::vector<std::string>{"città", "ca"}));
    EXPECT_EQ(Objects[1]["count"], 15);
    EXPECT_EQ(Objects[2]["count"], 0);
    EXPECT_EQ(Objects[2]["vowels"], 0);
    EXPECT_EQ(Objects[3]["count"], 0);
}

TEST(CliWordsTest, SeveralDictionariesAreMerged)
{
    const TRun R = RunCommand({"words", "--limit", "0", "--dictionary", WordsDir + "/italiano-cp1252.txt",
                               "--dictionary", ItalianList, "casa città"});
    ASSERT_EQ(R.Code, ExitSuccess) << R.Err;
    // "sacca" comes from the second list only; nothing built in is added.
    EXPECT_EQ(WordsOf(nlohmann::json::parse(R.Out)),
              (std::vector<std::string>{"città", "sacca", "casa", "ca"}));
}

// The default word set: the system list, a, e, è, i, o, and the personal
// list of the settings folder.
TEST(CliWordsTest, DefaultWordSetHoldsOneLetterWordsAndThePersonalList)
{
    TTempFolder Home;
    std::filesystem::create_directories(Home.Path() / ".verbanto");
    WriteBytes(Home.File(".verbanto/parole.txt"), "zzyzx\n-o\n");
    const char* Saved = std::getenv("XDG_CONFIG_HOME");
    const std::string SavedValue = Saved ? Saved : "";
    setenv("XDG_CONFIG_HOME", Home.Path().c_str(), 1);
    const TRun R = RunCommand({"words", "--limit", "0", "zzyzx o i è"});
    if (Saved)
        setenv("XDG_CONFIG_HOME", SavedValue.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
    if (!std::filesystem::exists("/usr/share/dict/italian")) {
        EXPECT_EQ(R.Code, ExitFileError);
        EXPECT_NE(R.Err.find("/usr/share/dict/italian"), std::string::npos) << R.Err;
        GTEST_SKIP() << "no /usr/share/dict/italian (Debian package witalian)";
    }
    ASSERT_EQ(R.Code, ExitSuccess) << R.Err;
    const std::vector<std::string> Words = WordsOf(nlohmann::json::parse(R.Out));
    EXPECT_EQ(Words.front(), "zzyzx");
    EXPECT_NE(std::find(Words.begin(), Words.end(), "i"), Words.end());
    EXPECT_NE(std::find(Words.begin(), Words.end(), "è"), Words.end());
    EXPECT_EQ(std::find(Words.begin(), Words.end(), "o"), Words.end());
}

struct TWordsErrorCase
{
    const char* Name;
    std::vector<std::string> Args;
    int Code;

    friend void PrintTo(const TWordsErrorCase& C, std::ostream* Os) { *Os << C.Name; }
};

class CliWordsErrorTest : public testing::TestWithParam<TWordsErrorCase>
{
};

TEST_P(CliWordsErrorTest, ExitsWithTheCodeAndPrintsNothing)
{
    const TRun R = RunCommand(GetParam().Args);
    EXPECT_EQ(R.Code, GetParam().Code) << R.Err;
    EXPECT_EQ(R.Out, "");
    EXPECT_NE(R.Err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliWordsErrorTest,
    testing::Values(
        TWordsErrorCase{"no_sentence", {"words", "--dictionary", ItalianList}, ExitUsage},
        TWordsErrorCase{"too_many_texts", {"words", "--dictionary", ItalianList, "a", "b", "c"}, ExitUsage},
        TWordsErrorCase{"attempt_with_each_line",
                        {"words", "--each-line", "--dictionary", ItalianList, "a", "b"}, ExitUsage},
        TWordsErrorCase{"negative_limit", {"words", "--limit", "-1", "a"}, ExitUsage},
        TWordsErrorCase{"word_limit", {"words", "--limit", "tutte", "a"}, ExitUsage},
        TWordsErrorCase{"empty_limit", {"words", "--limit", "", "a"}, ExitUsage},
        TWordsErrorCase{"limit_without_value", {"words", "a", "--limit"}, ExitUsage},
        TWordsErrorCase{"dictionary_without_value", {"words", "a", "--dictionary"}, ExitUsage},
        TWordsErrorCase{"unknown_option", {"words", "--fast", "a"}, ExitUsage},
        TWordsErrorCase{"invalid_utf8", {"words", "--dictionary", ItalianList, "\xff"}, ExitUsage},
        TWordsErrorCase{"missing_dictionary",
                        {"words", "--dictionary", ItalianList, "--dictionary", "/nessuna/lista.txt", "a"},
                        ExitFileError},
        TWordsErrorCase{"folder_as_dictionary", {"words", "--dictionary", WordsDir, "a"}, ExitFileError}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(CliWordsTest, MissingDictionaryIsNamedOnStandardError)
{
    const TRun R = RunCommand({"words", "--dictionary", "/nessuna/lista.txt", "a"});
    EXPECT_EQ(R.Code, ExitFileError);
    EXPECT_NE(R.Err.find("/nessuna/lista.txt"), std::string::npos) << R.Err;
}

TEST(CliWordsTest, InvalidUtf8OnALineStopsWithAUsageError)
{
    const TRun R = RunCommand({"words", "--each-line", "--dictionary", ItalianList, "casa"},
                              "sa\n\xff\xfe\nca\n");
    EXPECT_EQ(R.Code, ExitUsage);
    EXPECT_EQ(nlohmann::json::parse(R.Out.substr(0, R.Out.find('\n')))["count"], 1);
}

} // namespace
