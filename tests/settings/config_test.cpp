// SPDX-License-Identifier: GPL-3.0-or-later
#include "config.h"
#include "tempfolder.h"

#include <QFile>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <future>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

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
    std::string IniOnDisk() const { return ReadBytes(FileName.toStdString()); }
    bool FileExists() const { return QFile::exists(FileName); }

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
    EXPECT_EQ(IniOnDisk(), "[MAIN]\nFORMWIDTH=1024\nFORMHEIGHT=-1\nSPLITTER=200\n");
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
    EXPECT_EQ(IniOnDisk(), "[MAIN]\nCOLORVOWELS=-16777211\nCOLORCONSONANTS=65280\n"
                           "COLOREXCESS=1193046\nALLOWEXCESS=1\nFONTSIZE=2\n");
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
    EXPECT_EQ(IniOnDisk(), "[OTHER]\nkeep=me\n[MAIN]\nUNKNOWN=stays\nCOLORVOWELS=1\n"
                           "COLORCONSONANTS=2\nCOLOREXCESS=3\nALLOWEXCESS=1\nFONTSIZE=0\n"
                           "FORMWIDTH=640\nFORMHEIGHT=0\nSPLITTER=0\n");
}

struct TFileCase
{
    const char* Name;
    std::string Before;
    std::string After;

    friend void PrintTo(const TFileCase& C, std::ostream* Os) { *Os << C.Name; }
};

const auto CaseName = [](const auto& Info) { return std::string(Info.param.Name); };

class ConfigSaveTest : public ConfigTest, public testing::WithParamInterface<TFileCase>
{
};

TEST_P(ConfigSaveTest, ChangesTheLinesOfTheWindowKeysOnly)
{
    WriteIni(GetParam().Before);
    {
        TConfig C(FileName);
        C.SetFormWidth(800);
        C.SetFormHeight(600);
        C.SetSplitter(150);
        C.SaveForm();
    }
    EXPECT_EQ(IniOnDisk(), GetParam().After);
    const TConfig Again(FileName);
    EXPECT_EQ(Again.FormWidth(), 800);
    EXPECT_EQ(Again.FormHeight(), 600);
    EXPECT_EQ(Again.Splitter(), 150);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ConfigSaveTest,
    testing::Values(
        TFileCase{"WrittenByHand",
                  "; written by hand\n[Other Section]\nmy key=a;b\npath=C:\\dir\\file.txt\n\n"
                  "[main]\nFontSize=2\nformwidth=1\n\n[Later]\nx=1\n",
                  "; written by hand\n[Other Section]\nmy key=a;b\npath=C:\\dir\\file.txt\n\n"
                  "[main]\nFontSize=2\nformwidth=800\nFORMHEIGHT=600\nSPLITTER=150\n\n"
                  "[Later]\nx=1\n"},
        TFileCase{"CrLfStaysCrLf", "[MAIN]\r\nFORMWIDTH=1\r\n",
                  "[MAIN]\r\nFORMWIDTH=800\r\nFORMHEIGHT=600\r\nSPLITTER=150\r\n"},
        TFileCase{"ByteOrderMarkKept", "\xEF\xBB\xBF[MAIN]\nFORMHEIGHT=1\n",
                  "\xEF\xBB\xBF[MAIN]\nFORMHEIGHT=600\nFORMWIDTH=800\nSPLITTER=150\n"},
        TFileCase{"BlanksAroundTheKey", "[MAIN]\n FormWidth = 5 \n",
                  "[MAIN]\n FormWidth = 800 \nFORMHEIGHT=600\nSPLITTER=150\n"},
        TFileCase{"QuotedValue", "[MAIN]\nFORMWIDTH=\"5\"\n",
                  "[MAIN]\nFORMWIDTH=800\nFORMHEIGHT=600\nSPLITTER=150\n"},
        TFileCase{"EmptyValue", "[MAIN]\nFORMWIDTH=\n",
                  "[MAIN]\nFORMWIDTH=800\nFORMHEIGHT=600\nSPLITTER=150\n"},
        TFileCase{"KeyTwiceFirstReplaced", "[MAIN]\nFORMWIDTH=1\nformwidth=2\n",
                  "[MAIN]\nFORMWIDTH=800\nformwidth=2\nFORMHEIGHT=600\nSPLITTER=150\n"},
        TFileCase{"KeyInASecondMainSection", "[MAIN]\nA=1\n[X]\ny=2\n[Main]\nSPLITTER=1\n",
                  "[MAIN]\nA=1\nFORMWIDTH=800\nFORMHEIGHT=600\n[X]\ny=2\n[Main]\nSPLITTER=150\n"},
        TFileCase{"LastLineWithoutBreak", "[MAIN]\nFORMWIDTH=1",
                  "[MAIN]\nFORMWIDTH=800\nFORMHEIGHT=600\nSPLITTER=150\n"},
        TFileCase{"SectionMissing", "[Other]\nk=v\n",
                  "[Other]\nk=v\n[MAIN]\nFORMWIDTH=800\nFORMHEIGHT=600\nSPLITTER=150\n"},
        TFileCase{
            "SectionMissingAfterALastLineWithoutBreak", "[Other]\r\nk=v",
            "[Other]\r\nk=v\r\n[MAIN]\r\nFORMWIDTH=800\r\nFORMHEIGHT=600\r\nSPLITTER=150\r\n"},
        TFileCase{"EmptyFile", "", "[MAIN]\nFORMWIDTH=800\nFORMHEIGHT=600\nSPLITTER=150\n"},
        TFileCase{"UnparsableLinesAndAKeyOutsideSections",
                  "FORMWIDTH=9\n[MAIN]\nno entry\n\xFF\xFE\x01 junk\n",
                  "FORMWIDTH=9\n[MAIN]\nFORMWIDTH=800\nFORMHEIGHT=600\nSPLITTER=150\nno entry\n"
                  "\xFF\xFE\x01 junk\n"},
        TFileCase{"Windows1252", "; perch\xE8\n[MAIN]\n",
                  "; perch\xE8\n[MAIN]\nFORMWIDTH=800\nFORMHEIGHT=600\nSPLITTER=150\n"},
        TFileCase{"Utf16Le", Utf16Le(u"; \u4E2D\r\n[Main]\r\nSplitter=1\r\n"),
                  Utf16Le(u"; \u4E2D\r\n[Main]\r\nSplitter=150\r\nFORMWIDTH=800\r\n"
                          u"FORMHEIGHT=600\r\n")}),
    CaseName);

struct TReadCase
{
    const char* Name;
    std::string Bytes;

    friend void PrintTo(const TReadCase& C, std::ostream* Os) { *Os << C.Name; }
};

class ConfigReadTest : public ConfigTest, public testing::WithParamInterface<TReadCase>
{
};

TEST_P(ConfigReadTest, FindsTheKeyTheWriterWouldReplace)
{
    WriteIni(GetParam().Bytes);
    EXPECT_EQ(TConfig(FileName).FormWidth(), 5);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ConfigReadTest,
    testing::Values(TReadCase{"Utf8Mark", "\xEF\xBB\xBF[MAIN]\nFORMWIDTH=5\n"},
                    TReadCase{"Utf16Le", Utf16Le(u"[MAIN]\r\nFORMWIDTH=5\r\n")},
                    TReadCase{"CaseOfNames", "[main]\nFormWidth=5\n"},
                    TReadCase{"BlanksAroundNames", " [ MAIN ] \n\tFORMWIDTH = 5 \n"},
                    TReadCase{"Quoted", "[MAIN]\nFORMWIDTH=\"5\"\n"},
                    TReadCase{"KeyTwiceFirstWins", "[MAIN]\nFORMWIDTH=5\nFORMWIDTH=6\n"},
                    TReadCase{"SectionTwice",
                              "[MAIN]\nA=1\n[X]\nFORMWIDTH=6\n[main]\nFORMWIDTH=5\n"},
                    TReadCase{"CommentedOut", "[MAIN]\n;FORMWIDTH=6\nFORMWIDTH=5\n"},
                    TReadCase{"UnparsableLineBefore", "\x01\xFF junk\n[MAIN]\nFORMWIDTH=5\n"}),
    CaseName);

// A FIFO would keep the window from ever appearing and a device would be
// replaced by a file. Reading and writing run on a thread of their own: once
// the deadline has passed, every open of the FIFO for writing lets one read
// blocked on it go on, so that fault fails the test instead of hanging it.
template <typename TWork> auto WithDeadline(const std::string& APath, TWork AWork)
{
    auto Result = std::async(std::launch::async, AWork);
    if (Result.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        ADD_FAILURE() << "blocked on " << APath;
        do {
            const int Fd = ::open(APath.c_str(), O_RDWR | O_NONBLOCK);
            if (Fd >= 0)
                ::close(Fd);
        } while (Result.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready);
    }
    return Result.get();
}

struct TSpecialCase
{
    const char* Name;
    bool (*Make)(const std::string& APath);

    friend void PrintTo(const TSpecialCase& C, std::ostream* Os) { *Os << C.Name; }
};

bool MakeFifo(const std::string& APath)
{
    return ::mkfifo(APath.c_str(), 0600) == 0;
}

bool MakeFolder(const std::string& APath)
{
    return std::filesystem::create_directory(APath);
}

// A null device of its own, so that a fault cannot replace the system's.
bool MakeNullDevice(const std::string& APath)
{
    return ::mknod(APath.c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0;
}

class ConfigSpecialFileTest : public ConfigTest, public testing::WithParamInterface<TSpecialCase>
{
};

TEST_P(ConfigSpecialFileTest, IsNeitherReadNorReplaced)
{
    const std::string Path = FileName.toStdString();
    if (!GetParam().Make(Path))
        GTEST_SKIP() << "cannot make a " << GetParam().Name << " here";
    const std::filesystem::file_type Type = std::filesystem::symlink_status(Path).type();

    const auto [FontSize, Refused] = WithDeadline(Path, [this] {
        TConfig C(FileName);
        C.SetFormWidth(800);
        bool SaveRefused = false;
        try {
            C.SaveForm();
        } catch (const EConfigWriteError&) {
            SaveRefused = true;
        }
        return std::pair(C.FontSize(), SaveRefused);
    });
    EXPECT_EQ(FontSize, 1) << "the default";
    EXPECT_TRUE(Refused);
    EXPECT_EQ(std::filesystem::symlink_status(Path).type(), Type);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ConfigSpecialFileTest,
                         testing::Values(TSpecialCase{"Fifo", MakeFifo},
                                         TSpecialCase{"Folder", MakeFolder},
                                         TSpecialCase{"Device", MakeNullDevice}),
                         CaseName);

// On a disk with room for one more page, the key whose write makes the file
// outgrow its page fails; the others still reach the file.
struct TOneFailsCase
{
    const char* Name;
    const char* Before;
    void (*Write)(TConfig& AConfig);
    const char* After;
    int Events;

    friend void PrintTo(const TOneFailsCase& C, std::ostream* Os) { *Os << C.Name; }
};

class ConfigOneKeyFailsTest : public ConfigTest, public testing::WithParamInterface<TOneFailsCase>
{
};

void SaveGrowingWidth(TConfig& AConfig)
{
    AConfig.SetFormWidth(-2000000000);
    AConfig.SetFormHeight(1);
    AConfig.SetSplitter(7);
    AConfig.SaveForm();
}

void StoreGrowingVowels(TConfig& AConfig)
{
    AConfig.StoreOptions({-2000000000, 1, 5, true, 2});
}

uint64_t FreeBytes(const std::filesystem::path& AFolder)
{
    struct statvfs Info;
    return ::statvfs(AFolder.c_str(), &Info) == 0 ? Info.f_bavail * Info.f_bsize : 0;
}

TEST_P(ConfigOneKeyFailsTest, TheOthersAreStillWritten)
{
    const std::filesystem::path Mount = Folder.Path() / "small";
    std::filesystem::create_directory(Mount);
    TSmallFileSystem Small(Mount, "64k");
    if (!Small.Active())
        GTEST_SKIP() << "mounting a tmpfs is not allowed here";
    const std::size_t Page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    const std::string Keys = std::string("[MAIN]\n") + GetParam().Before;
    // One page less four bytes: ten more do not fit, nine fewer do.
    const std::string Padding = "; " + std::string(Page - 4 - Keys.size() - 3, 'x') + "\n";
    const std::string File = (Mount / "verbanto.ini").string();
    WriteBytes(File, Padding + Keys);
    WriteBytes((Mount / "filler").string(), std::string(FreeBytes(Mount) - Page, 'x'));
    if (FreeBytes(Mount) != Page)
        GTEST_SKIP() << "this tmpfs does not count its room in pages";

    TConfig C(QString::fromStdString(File));
    int Events = 0;
    C.OnConfigChanged = [&](TConfig&) { ++Events; };
    EXPECT_THROW(GetParam().Write(C), EConfigWriteError);
    const std::string After = ReadBytes(File);
    EXPECT_TRUE(After.starts_with(Padding));
    EXPECT_EQ(After.substr(Padding.size()), std::string("[MAIN]\n") + GetParam().After);
    EXPECT_EQ(Events, GetParam().Events);
}

INSTANTIATE_TEST_SUITE_P(
    Writes, ConfigOneKeyFailsTest,
    testing::Values(
        TOneFailsCase{"SaveForm", "FORMWIDTH=1\nFORMHEIGHT=1000000000\nSPLITTER=1\n",
                      SaveGrowingWidth, "FORMWIDTH=1\nFORMHEIGHT=1\nSPLITTER=7\n", 0},
        TOneFailsCase{
            "StoreOptions",
            "COLORVOWELS=1\nCOLORCONSONANTS=1000000000\nCOLOREXCESS=1\n"
            "ALLOWEXCESS=0\nFONTSIZE=0\n",
            StoreGrowingVowels,
            "COLORVOWELS=1\nCOLORCONSONANTS=1\nCOLOREXCESS=5\nALLOWEXCESS=1\nFONTSIZE=2\n", 1}),
    CaseName);

// Root ignores permission bits, so the folder is made immutable instead.
// The options still reach the window, whose colours then match the fields.
TEST_F(ConfigTest, AFailedWriteNamesTheFileAndStillAnnouncesTheOptions)
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
    EXPECT_TRUE(Announced);
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
