// SPDX-License-Identifier: GPL-3.0-or-later
#include "config.h"
#include "tempfolder.h"

#include <QFile>
#include <QSettings>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

// Sets an environment variable, or removes it when AValue is null, for the
// object's lifetime.
class TEnvironment
{
public:
    TEnvironment(const char* AName, const char* AValue) : FName(AName)
    {
        if (const char* Old = std::getenv(AName))
            FOld = Old;
        AValue ? setenv(AName, AValue, 1) : unsetenv(AName);
    }
    ~TEnvironment() { FOld ? setenv(FName, FOld->c_str(), 1) : unsetenv(FName); }
    TEnvironment(const TEnvironment&) = delete;
    TEnvironment& operator=(const TEnvironment&) = delete;

private:
    const char* FName;
    std::optional<std::string> FOld;
};

class ConfigTest : public testing::Test
{
protected:
    ConfigTest()
        : Xdg("XDG_CONFIG_HOME", Folder.Path().c_str()),
          FileName(QString::fromStdString(Folder.File("verbanto.ini")))
    {}

    void WriteIni(std::string_view AText) { WriteBytes(FileName.toStdString(), AText); }
    bool FileExists() const { return QFile::exists(FileName); }
    QStringList KeysOnDisk() const { return QSettings(FileName, QSettings::IniFormat).allKeys(); }

    TTempFolder Folder;
    TEnvironment Xdg;
    QString FileName;
};

TEST_F(ConfigTest, DefaultsWithoutAFileAndNothingWrittenByReading)
{
    {
        TConfig C(FileName);
        EXPECT_EQ(C.ColorVowels(), 0x00008080);
        EXPECT_EQ(C.ColorConsonants(), 0x00800000);
        EXPECT_EQ(C.ColorExcess(), 0x000000FF);
        EXPECT_FALSE(C.AllowExcess());
        EXPECT_EQ(C.FontSize(), 1);
        EXPECT_EQ(C.FormWidth(), 0);
        EXPECT_EQ(C.FormHeight(), 0);
        EXPECT_EQ(C.Splitter(), 0);
        C.SetFormWidth(800);
        C.SetFontSize(9);
    }
    EXPECT_FALSE(FileExists());
}

struct TIntegerCase
{
    const char* Text;
    std::optional<int32_t> Expected;

    friend void PrintTo(const TIntegerCase& C, std::ostream* Os) { *Os << '"' << C.Text << '"'; }
};

class ConfigIntegerTest : public testing::TestWithParam<TIntegerCase>
{
};

TEST_P(ConfigIntegerTest, ReadsTheValueForms)
{
    EXPECT_EQ(ParseConfigInteger(QString::fromUtf8(GetParam().Text)), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ConfigIntegerTest,
    testing::Values(TIntegerCase{"0", 0}, TIntegerCase{"-5", -5}, TIntegerCase{"+7", 7},
                    TIntegerCase{"0x2", 2}, TIntegerCase{"0XfF", 255}, TIntegerCase{"$FF", 255},
                    TIntegerCase{"$ff", 255}, TIntegerCase{"-$10", -16}, TIntegerCase{"-0x10", -16},
                    TIntegerCase{"2147483647", INT32_MAX}, TIntegerCase{"-2147483648", INT32_MIN},
                    TIntegerCase{"0xFFFFFFFF", -1},
                    TIntegerCase{"$FF000005", static_cast<int32_t>(0xFF000005u)},
                    TIntegerCase{"0x0000000000FF", 255}, TIntegerCase{"007", 7},
                    TIntegerCase{"2147483648", std::nullopt},
                    TIntegerCase{"-2147483649", std::nullopt},
                    TIntegerCase{"0x100000000", std::nullopt},
                    TIntegerCase{"99999999999999999999", std::nullopt},
                    TIntegerCase{"0x", std::nullopt}, TIntegerCase{"$", std::nullopt},
                    TIntegerCase{"", std::nullopt}, TIntegerCase{"-", std::nullopt},
                    TIntegerCase{"abc", std::nullopt}, TIntegerCase{"12a", std::nullopt},
                    TIntegerCase{"1.5", std::nullopt}, TIntegerCase{"--5", std::nullopt},
                    TIntegerCase{"0xG1", std::nullopt}, TIntegerCase{" 5", std::nullopt},
                    TIntegerCase{"\xD9\xA3", std::nullopt}, TIntegerCase{"yes", std::nullopt}));

struct TKeyCase
{
    const char* Line;
    int32_t (*Read)(const TConfig&);
    int32_t Expected;

    friend void PrintTo(const TKeyCase& C, std::ostream* Os) { *Os << C.Line; }
};

class ConfigFileTest : public ConfigTest, public testing::WithParamInterface<TKeyCase>
{
};

TEST_P(ConfigFileTest, ReadsEachKeyWithItsDefaultAndLimit)
{
    WriteIni(std::string("[MAIN]\n") + GetParam().Line + "\n");
    const TConfig C(FileName);
    EXPECT_EQ(GetParam().Read(C), GetParam().Expected);
}

int32_t FontSize(const TConfig& C)
{
    return C.FontSize();
}
int32_t AllowExcess(const TConfig& C)
{
    return C.AllowExcess();
}
int32_t Vowels(const TConfig& C)
{
    return C.ColorVowels();
}
int32_t Excess(const TConfig& C)
{
    return C.ColorExcess();
}
int32_t Width(const TConfig& C)
{
    return C.FormWidth();
}
int32_t Splitter(const TConfig& C)
{
    return C.Splitter();
}

INSTANTIATE_TEST_SUITE_P(
    Values, ConfigFileTest,
    testing::Values(
        TKeyCase{"FONTSIZE=7", FontSize, 2}, TKeyCase{"FONTSIZE=-3", FontSize, 0},
        TKeyCase{"FONTSIZE=0x2", FontSize, 2}, TKeyCase{"FONTSIZE=abc", FontSize, 1},
        TKeyCase{"FONTSIZE=", FontSize, 1}, TKeyCase{"FONTSIZE=0", FontSize, 0},
        TKeyCase{"ALLOWEXCESS=0", AllowExcess, 0}, TKeyCase{"ALLOWEXCESS=1", AllowExcess, 1},
        TKeyCase{"ALLOWEXCESS=2", AllowExcess, 1}, TKeyCase{"ALLOWEXCESS=yes", AllowExcess, 0},
        TKeyCase{"COLORVOWELS=$FF", Vowels, 255}, TKeyCase{"COLORVOWELS=0xFF", Vowels, 255},
        TKeyCase{"COLORVOWELS=-16777211", Vowels, -16777211},
        TKeyCase{"COLORVOWELS=1,2", Vowels, 0x00008080}, TKeyCase{"COLOREXCESS = 12 ", Excess, 12},
        TKeyCase{"FORMWIDTH=-5", Width, -5}, TKeyCase{"SPLITTER=4294967296", Splitter, 0}));

TEST_F(ConfigTest, SaveFormWritesTheThreeWindowKeysOnly)
{
    {
        TConfig C(FileName);
        C.SetFormWidth(1024);
        C.SetFormHeight(-1);
        C.SetSplitter(200);
        C.SaveForm();
    }
    EXPECT_EQ(KeysOnDisk(),
              (QStringList{QStringLiteral("MAIN/FORMHEIGHT"), QStringLiteral("MAIN/FORMWIDTH"),
                           QStringLiteral("MAIN/SPLITTER")}));
    const TConfig Again(FileName);
    EXPECT_EQ(Again.FormWidth(), 1024);
    EXPECT_EQ(Again.FormHeight(), -1);
    EXPECT_EQ(Again.Splitter(), 200);
}

TEST_F(ConfigTest, StoreOptionsWritesTheFiveKeysThenAnnounces)
{
    TConfig C(FileName);
    int Announced = 0;
    C.OnConfigChanged = [&](TConfig& Sender) {
        EXPECT_EQ(&Sender, &C);
        EXPECT_EQ(TConfig(FileName).ColorExcess(), 0x123456) << "written before the event";
        ++Announced;
    };
    C.StoreOptions({-16777211, 0x00FF00, 0x123456, true, 2});
    EXPECT_EQ(Announced, 1);
    EXPECT_EQ(C.ColorVowels(), -16777211);
    EXPECT_EQ(KeysOnDisk().size(), 5);
    const TConfig Again(FileName);
    EXPECT_EQ(Again.ColorVowels(), -16777211);
    EXPECT_EQ(Again.ColorConsonants(), 0x00FF00);
    EXPECT_EQ(Again.ColorExcess(), 0x123456);
    EXPECT_TRUE(Again.AllowExcess());
    EXPECT_EQ(Again.FontSize(), 2);
}

// Two running copies: each write merges into the file as it is now.
TEST_F(ConfigTest, TwoCopiesWritingDifferentKeysKeepBoth)
{
    WriteIni("[OTHER]\nkeep=me\n[MAIN]\nUNKNOWN=stays\n");
    TConfig First(FileName);
    TConfig Second(FileName);
    Second.StoreOptions({1, 2, 3, true, 0});
    First.SetFormWidth(640);
    First.SaveForm();

    const TConfig Reader(FileName);
    EXPECT_EQ(Reader.ColorVowels(), 1);
    EXPECT_TRUE(Reader.AllowExcess());
    EXPECT_EQ(Reader.FontSize(), 0);
    EXPECT_EQ(Reader.FormWidth(), 640);
    const QSettings Raw(FileName, QSettings::IniFormat);
    EXPECT_EQ(Raw.value(QStringLiteral("OTHER/keep")).toString(), QStringLiteral("me"));
    EXPECT_EQ(Raw.value(QStringLiteral("MAIN/UNKNOWN")).toString(), QStringLiteral("stays"));
}

// Root ignores permission bits, so the folder is made immutable instead.
TEST_F(ConfigTest, AFailedWriteNamesTheFileAndStopsThere)
{
    TImmutableFolder Locked(Folder.Path());
    if (!Locked.Active())
        GTEST_SKIP() << "chattr +i is not available on " << Folder.Path();
    TConfig C(FileName);
    bool Announced = false;
    C.OnConfigChanged = [&](TConfig&) { Announced = true; };
    C.SetFormWidth(700);
    try {
        C.SaveForm();
        FAIL() << "written";
    } catch (const EConfigWriteError& Error) {
        EXPECT_EQ(std::string(Error.what()), "Unable to write to " + Folder.File("verbanto.ini"));
    }
    EXPECT_EQ(C.FormWidth(), 700);
    EXPECT_THROW(C.StoreOptions({1, 2, 3, true, 2}), EConfigWriteError);
    EXPECT_EQ(C.ColorExcess(), 3);
    EXPECT_FALSE(Announced);
    EXPECT_FALSE(FileExists());
}

TEST_F(ConfigTest, AFullDiskIsAFailedWrite)
{
    const std::filesystem::path Mount = Folder.Path() / "small";
    std::filesystem::create_directory(Mount);
    TSmallFileSystem Small(Mount, "16k");
    if (!Small.Active())
        GTEST_SKIP() << "mounting a tmpfs is not allowed here";
    const QString File = QString::fromStdString((Mount / "verbanto.ini").string());
    TConfig C(File);
    C.SetFormWidth(640);
    C.SaveForm();
    // Fill what is left, so the next write finds no room.
    const std::string Filler(64 * 1024, 'x');
    if (std::FILE* F = std::fopen((Mount / "filler").c_str(), "wb")) {
        std::fwrite(Filler.data(), 1, Filler.size(), F);
        std::fclose(F);
    }
    C.SetFormHeight(480);
    C.SetSplitter(123456789);
    EXPECT_THROW(C.SaveForm(), EConfigWriteError);
    EXPECT_EQ(TConfig(File).FormWidth(), 640) << "the old settings survive";
}

TEST_F(ConfigTest, SettingsFolderFollowsXdgThenHome)
{
    const std::string Home = Folder.File("home");
    TEnvironment HomeVar("HOME", Home.c_str());
    {
        TConfigDirLookup Lookup;
        EXPECT_EQ(Lookup.Get(), QString::fromStdString(Folder.File(".verbanto/")));
        EXPECT_TRUE(std::filesystem::is_directory(Folder.File(".verbanto")));
        TEnvironment Moved("XDG_CONFIG_HOME", Home.c_str());
        EXPECT_EQ(Lookup.Get(), QString::fromStdString(Folder.File(".verbanto/")))
            << "a found folder is kept";
    }
    TEnvironment Relative("XDG_CONFIG_HOME", "relative/path");
    EXPECT_EQ(TConfigDirLookup().Get(), QString::fromStdString(Home + "/.config/.verbanto/"));
    EXPECT_TRUE(std::filesystem::is_directory(Home + "/.config/.verbanto"));
}

TEST_F(ConfigTest, WithoutAnyFolderTheLookupAsksAgain)
{
    TEnvironment NoXdg("XDG_CONFIG_HOME", nullptr);
    TConfigDirLookup Lookup;
    {
        TEnvironment NoHome("HOME", nullptr);
        EXPECT_EQ(Lookup.Get(), QString());
    }
    TEnvironment Home("HOME", Folder.Path().c_str());
    EXPECT_EQ(Lookup.Get(), QString::fromStdString(Folder.File(".config/.verbanto/")));
}

TEST_F(ConfigTest, TheProgramsSettingsLiveInTheSettingsFolder)
{
    const TConfig C;
    EXPECT_EQ(C.FileName(), GetConfigDir() + QStringLiteral("verbanto.ini"));
    EXPECT_TRUE(C.FileName().endsWith(QStringLiteral("/.verbanto/verbanto.ini")));
}

} // namespace
