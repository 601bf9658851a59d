// SPDX-License-Identifier: GPL-3.0-or-later
// Every seed and every input that once crashed the fuzzer, read as a user
// would open it: it loads or is refused with a file error, and what loads
// survives a save and a second load unchanged.
#include "anagramengine.h"
#include "fileerror.h"
#include "tempfolder.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> FuzzInputs()
{
    std::vector<std::string> Files;
    for (const char* Folder : {"corpus", "crashes"})
        for (const auto& Entry : fs::directory_iterator(fs::path(VERBANTO_FUZZ_DIR) / Folder))
            if (Entry.is_regular_file() && Entry.path().filename() != ".keep")
                Files.push_back((fs::path(Folder) / Entry.path().filename()).string());
    std::sort(Files.begin(), Files.end());
    return Files;
}

std::vector<std::u16string> AttemptsOf(const TAnagramEngine& AEngine)
{
    std::vector<std::u16string> Texts;
    for (int32_t I = 0; I < AEngine.AnagramsCount(); ++I)
        Texts.push_back(AEngine.GetAnagram(I).Anagram());
    return Texts;
}

class FuzzReplayTest : public testing::TestWithParam<std::string>
{
};

TEST_P(FuzzReplayTest, LoadsOrIsRefused)
{
    const std::string Path = (fs::path(VERBANTO_FUZZ_DIR) / GetParam()).string();
    TAnagramEngine Engine;
    try {
        Engine.Load(Path);
    } catch (const EFileError& Error) {
        EXPECT_EQ(Engine.AnagramsCount(), 1) << Error.what();
        return;
    }
    ASSERT_GE(Engine.AnagramsCount(), 1);
    TTempFolder Folder;
    Engine.Save(Folder.File("again.vbf"));
    TAnagramEngine Again;
    Again.Load(Folder.File("again.vbf"));
    EXPECT_EQ(Again.Sentence(), Engine.Sentence());
    EXPECT_EQ(AttemptsOf(Again), AttemptsOf(Engine));
    for (char16_t P = u'A'; P <= u'Z'; ++P)
        EXPECT_EQ(Again.GetLetterAtPosition(P), Engine.GetLetterAtPosition(P));
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, FuzzReplayTest, testing::ValuesIn(FuzzInputs()), [](const auto& Info) {
        std::string Name = Info.param;
        std::replace_if(
            Name.begin(), Name.end(),
            [](char C) { return !std::isalnum(static_cast<unsigned char>(C)); }, '_');
        return Name;
    });

} // namespace
