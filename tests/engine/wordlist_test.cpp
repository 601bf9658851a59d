// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileerror.h"
#include "tempfolder.h"
#include "wordlist.h"

#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utility>

namespace {

const std::string WordsDir = VERBANTO_WORDS_DIR;
const std::string ItalianCrLf = WordsDir + "/italiano-crlf.txt";

std::vector<std::u16string> Texts(const TWordList& AList)
{
    std::vector<std::u16string> Result;
    for (const TWord& Word : AList.Words())
        Result.push_back(Word.Text);
    return Result;
}

std::vector<std::u16string> Personal(const TWordList& AList)
{
    std::vector<std::u16string> Result;
    for (const TWord& Word : AList.Words())
        if (Word.bPersonal)
            Result.push_back(Word.Text);
    return Result;
}

const std::vector<std::u16string> FixtureWords = {
    u"casa", u"cassa", u"sacca", u"città", u"dell'arte", u"e",   u"è",    u"caro", u"arco",
    u"orca", u"roca",  u"tra",   u"arte",  u"rate",      u"tre", u"re",   u"te",   u"mare",
    u"amare", u"ramo", u"roma",  u"perché", u"più",      u"là",  u"la",   u"al",   u"tè",
    u"tema", u"meta",  u"mèta",  u"oca",   u"ca",        u"pâté"};

TEST(WordListTest, ReadsOneWordPerTrimmedLineFirstSpellingKept)
{
    TWordList List;
    List.AddListFile(ItalianCrLf);
    EXPECT_EQ(Texts(List), FixtureWords);
    EXPECT_TRUE(Personal(List).empty());
}

TEST(WordListTest, ReadsWindows1252WhenNotUtf8)
{
    TWordList List;
    List.AddListFile(WordsDir + "/italiano-cp1252.txt");
    EXPECT_EQ(Texts(List), (std::vector<std::u16string>{u"città", u"perché", u"è", u"più", u"là",
                                                        u"casa", u"dell'arte", u"tè"}));
}

TEST(WordListTest, PersonalListAddsRemovesAndRanksWords)
{
    TWordList List;
    List.AddListFile(ItalianCrLf);
    List.AddPersonalFile(WordsDir + "/personali.txt");
    std::vector<std::u16string> Expected;
    for (const auto& Word : FixtureWords)
        if (Word != u"roma" && Word != u"casa" && Word != u"tre")
            Expected.push_back(Word);
    Expected.push_back(u"caos");
    Expected.push_back(u"zucca");
    EXPECT_EQ(Texts(List), Expected);
    // "Arte" makes the list's "arte" personal, spelt as the list has it.
    EXPECT_EQ(Personal(List), (std::vector<std::u16string>{u"arte", u"caos", u"zucca"}));
}

// Taking the words out must skip the removed ones and keep the flags, as
// copying them does.
TEST(WordListTest, WordsTakenOutMatchTheCopy)
{
    TWordList List;
    List.AddListFile(ItalianCrLf);
    List.AddPersonalFile(WordsDir + "/personali.txt");
    const std::vector<TWord> Copied = List.Words();
    const std::vector<TWord> Taken = std::move(List).Words();
    ASSERT_EQ(Taken.size(), Copied.size());
    for (std::size_t I = 0; I < Taken.size(); ++I) {
        EXPECT_EQ(Taken[I].Text, Copied[I].Text);
        EXPECT_EQ(Taken[I].bPersonal, Copied[I].bPersonal);
    }
}

struct TMergeCase
{
    const char* Name;
    std::vector<std::pair<std::u16string, bool>> Lists; // text, personal
    std::vector<std::u16string> Words;

    friend void PrintTo(const TMergeCase& C, std::ostream* Os) { *Os << C.Name; }
};

class WordListMergeTest : public testing::TestWithParam<TMergeCase>
{
};

TEST_P(WordListMergeTest, GivesTheWordsInFirstOrder)
{
    TWordList List;
    for (const auto& [Text, bPersonal] : GetParam().Lists)
        List.AddListText(Text, bPersonal);
    EXPECT_EQ(Texts(List), GetParam().Words);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WordListMergeTest,
    testing::Values(
        TMergeCase{"case_twins_across_lists", {{u"Roma\nmare", false}, {u"ROMA\nroma\nsole", false}},
                   {u"Roma", u"mare", u"sole"}},
        TMergeCase{"accents_make_other_words", {{u"e\nè\nÈ\nE\nte\ntè", false}},
                   {u"e", u"è", u"te", u"tè"}},
        TMergeCase{"removal_ignores_case", {{u"Roma\nmare", false}, {u"-ROMA", true}}, {u"mare"}},
        TMergeCase{"removal_only_of_what_came_before",
                   {{u"-mare\nsole", true}, {u"mare", false}},
                   {u"sole", u"mare"}},
        TMergeCase{"removal_then_added_back", {{u"mare", false}, {u"-mare\nmare", true}}, {u"mare"}},
        TMergeCase{"removal_of_unknown_word", {{u"mare", false}, {u"-sole\n-\n- ", true}}, {u"mare"}},
        TMergeCase{"dash_is_a_letterless_line_in_a_list", {{u"-\n--\nmare\n-mare", false}},
                   {u"mare", u"-mare"}},
        TMergeCase{"blank_and_letterless_lines_skipped",
                   {{u"\n   \n\t\r\n42\n...\n l'ape \r\n", false}}, {u"l'ape"}},
        TMergeCase{"no_final_line_end", {{u"mare\r\nsole", false}}, {u"mare", u"sole"}},
        TMergeCase{"empty", {{u"", false}, {u"", true}}, {}}));

struct TReadErrorCase
{
    const char* Name;
    std::function<std::string(const TTempFolder&)> Make;

    friend void PrintTo(const TReadErrorCase& C, std::ostream* Os) { *Os << C.Name; }
};

class WordListReadErrorTest : public testing::TestWithParam<TReadErrorCase>
{
};

TEST_P(WordListReadErrorTest, NamesTheFileAndAddsNothing)
{
    TTempFolder Folder;
    const std::string Path = GetParam().Make(Folder);
    for (const bool bPersonal : {false, true}) {
        TWordList List;
        List.AddListText(u"mare", false);
        try {
            if (bPersonal)
                List.AddPersonalFile(Path);
            else
                List.AddListFile(Path);
            ADD_FAILURE() << "no error for " << Path;
        } catch (const EFOpenError& Error) {
            EXPECT_NE(std::string(Error.what()).find(Path), std::string::npos) << Error.what();
        }
        EXPECT_EQ(Texts(List), std::vector<std::u16string>{u"mare"});
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WordListReadErrorTest,
    testing::Values(TReadErrorCase{"missing", [](const TTempFolder& F) { return F.File("nessuna.txt"); }},
                    TReadErrorCase{"folder", [](const TTempFolder& F) { return F.Path().string(); }},
                    TReadErrorCase{"fifo",
                                   [](const TTempFolder& F) {
                                       const std::string Path = F.File("coda");
                                       EXPECT_EQ(mkfifo(Path.c_str(), 0600), 0);
                                       return Path;
                                   }}),
    [](const auto& Info) { return std::string(Info.param.Name); });

} // namespace
