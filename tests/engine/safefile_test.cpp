// SPDX-License-Identifier: GPL-3.0-or-later
#include "anagramengine.h"
#include "childprocess.h"
#include "fileerror.h"
#include "safefile.h"
#include "tempfolder.h"

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <optional>
#include <set>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The system's calls, except that files without a name can be refused, as
// on file systems without O_TMPFILE, so that the named fallback is taken.
class TTestOps : public TFileOps
{
public:
    explicit TTestOps(bool ANamedOnly) : FNamedOnly(ANamedOnly) {}

    int OpenUnnamed(const char* AFolder, mode_t AMode) override
    {
        if (!FNamedOnly)
            return TFileOps::OpenUnnamed(AFolder, AMode);
        errno = EOPNOTSUPP;
        return -1;
    }

private:
    bool FNamedOnly;
};

// Lets the first AAllowed bytes through, then fails as a full disk does.
class TFailingOps : public TTestOps
{
public:
    TFailingOps(bool ANamedOnly, std::size_t AAllowed, bool AFailSync = false)
        : TTestOps(ANamedOnly), FLeft(AAllowed), FFailSync(AFailSync)
    {}

    ssize_t Write(int AFd, const char* AData, std::size_t ASize) override
    {
        if (FLeft == 0) {
            errno = ENOSPC;
            return -1;
        }
        const std::size_t Size = std::min(ASize, FLeft);
        FLeft -= Size;
        return TTestOps::Write(AFd, AData, Size);
    }

    int Sync(int AFd) override
    {
        if (FFailSync) {
            errno = EIO;
            return -1;
        }
        return TTestOps::Sync(AFd);
    }

private:
    std::size_t FLeft;
    bool FFailSync;
};

// Notes what the folder holds when the first bytes are written.
class TWatchingOps : public TTestOps
{
public:
    TWatchingOps(bool ANamedOnly, fs::path AFolder)
        : TTestOps(ANamedOnly), FFolder(std::move(AFolder))
    {}

    ssize_t Write(int AFd, const char* AData, std::size_t ASize) override
    {
        if (!WhileWriting)
            WhileWriting = Entries(FFolder);
        return TTestOps::Write(AFd, AData, ASize);
    }

    static std::set<std::string> Entries(const fs::path& AFolder)
    {
        std::set<std::string> Names;
        for (const auto& Entry : fs::directory_iterator(AFolder))
            Names.insert(Entry.path().filename().string());
        return Names;
    }

    std::optional<std::set<std::string>> WhileWriting;

private:
    fs::path FFolder;
};

constexpr gid_t SharedGid = 4242;

struct stat StatOf(const std::string& APath)
{
    struct stat Info = {};
    EXPECT_EQ(::stat(APath.c_str(), &Info), 0) << APath;
    return Info;
}

ino_t Inode(const std::string& APath)
{
    return StatOf(APath).st_ino;
}

std::u16string LoadedSentence(const std::string& APath)
{
    TAnagramEngine Reader;
    Reader.Load(APath);
    return Reader.Sentence();
}

// Every case runs with a file without a name and with the named fallback.
class SafeSaveTest : public testing::TestWithParam<bool>
{
protected:
    SafeSaveTest() : Path(Folder.File("doc.vbf")), Ops(NamedOnly())
    {
        Engine.SetSentence(u"Roma");
        Engine.SetCurrentAnagramString(u"amor");
        Engine.Save(Path);
        OldBytes = ReadBytes(Path);
        // Something worth saving, and large enough to need several writes.
        Engine.SetSentence(std::u16string(100000, u'x'));
    }

    static bool NamedOnly() { return GetParam(); }

    void ExpectOldDocumentIntact()
    {
        EXPECT_EQ(ReadBytes(Path), OldBytes);
        EXPECT_EQ(ListFolder(Folder.Path()), "doc.vbf") << "a temporary file was left behind";
        EXPECT_TRUE(Engine.Changed());
        TAnagramEngine Reader;
        Reader.Load(Path);
        EXPECT_EQ(Reader.Sentence(), u"Roma");
    }

    TTempFolder Folder;
    std::string Path;
    TTestOps Ops;
    TAnagramEngine Engine;
    std::string OldBytes;
};

TEST_P(SafeSaveTest, AWriteThatStopsPartWayKeepsTheOldFile)
{
    for (std::size_t Allowed :
         {std::size_t{0}, std::size_t{1}, std::size_t{62}, std::size_t{200007}}) {
        SCOPED_TRACE(Allowed);
        TFailingOps Failing(NamedOnly(), Allowed);
        try {
            Engine.Save(Path, Failing);
            FAIL() << "saved";
        } catch (const EFCreateError& Error) {
            EXPECT_EQ(std::string(Error.what()),
                      "Cannot create file \"" + Path + "\". No space left on device");
        }
        ExpectOldDocumentIntact();
    }
}

TEST_P(SafeSaveTest, ASyncThatFailsKeepsTheOldFile)
{
    TFailingOps Failing(NamedOnly(), SIZE_MAX, true);
    EXPECT_THROW(Engine.Save(Path, Failing), EFCreateError);
    ExpectOldDocumentIntact();
}

// Root ignores permission bits, so the folder is made immutable instead.
TEST_P(SafeSaveTest, AFolderThatRefusesNewFilesIsWrittenInPlace)
{
    const ino_t Before = Inode(Path);
    TImmutableFolder Locked(Folder.Path());
    if (!Locked.Active())
        GTEST_SKIP() << "chattr +i is not available on " << Folder.Path();
    Engine.Save(Path, Ops);
    EXPECT_EQ(Inode(Path), Before);
    EXPECT_EQ(LoadedSentence(Path).size(), 100000u);
    EXPECT_EQ(ListFolder(Folder.Path()), "doc.vbf");
    EXPECT_FALSE(Engine.Changed());
}

TEST_P(SafeSaveTest, AFullDiskKeepsTheOldFile)
{
    const fs::path Mount = Folder.Path() / "small";
    fs::create_directory(Mount);
    TSmallFileSystem Small(Mount, "64k");
    if (!Small.Active())
        GTEST_SKIP() << "mounting a tmpfs is not allowed here";
    const std::string SmallPath = (Mount / "doc.vbf").string();
    TAnagramEngine Little;
    Little.Save(SmallPath);
    const std::string Before = ReadBytes(SmallPath);

    EXPECT_THROW(Engine.Save(SmallPath, Ops), EFCreateError);
    EXPECT_EQ(ReadBytes(SmallPath), Before);
    EXPECT_EQ(ListFolder(Mount), "doc.vbf");
    EXPECT_TRUE(Engine.Changed());
}

TEST_P(SafeSaveTest, KeepsPermissionBits)
{
    ASSERT_EQ(::chmod(Path.c_str(), 0640), 0);
    Engine.Save(Path, Ops);
    struct stat Info;
    ASSERT_EQ(::stat(Path.c_str(), &Info), 0);
    EXPECT_EQ(Info.st_mode & 07777, 0640u);
    EXPECT_FALSE(Engine.Changed());
}

TEST_P(SafeSaveTest, NewFilesFollowTheUmask)
{
    const mode_t Old = ::umask(022);
    const std::string Fresh = Folder.File("fresh.vbf");
    Engine.Save(Fresh, Ops);
    ::umask(Old);
    struct stat Info;
    ASSERT_EQ(::stat(Fresh.c_str(), &Info), 0);
    EXPECT_EQ(Info.st_mode & 07777, 0644u);
}

TEST_P(SafeSaveTest, WritesThroughASymbolicLinkAndKeepsIt)
{
    fs::create_directory(Folder.Path() / "real");
    const fs::path Target = Folder.Path() / "real" / "doc.vbf";
    fs::rename(Path, Target);
    fs::create_symlink("real/doc.vbf", Path);

    Engine.Save(Path, Ops);
    EXPECT_TRUE(fs::is_symlink(Path));
    EXPECT_EQ(ListFolder(Folder.Path() / "real"), "doc.vbf");
    TAnagramEngine Reader;
    Reader.Load(Target.string());
    EXPECT_EQ(Reader.Sentence().size(), 100000u);
}

TEST_P(SafeSaveTest, EveryHardLinkSeesTheNewContent)
{
    const std::string Other = Folder.File("other.vbf");
    fs::create_hard_link(Path, Other);
    const ino_t Before = Inode(Path);

    Engine.Save(Path, Ops);
    EXPECT_EQ(Inode(Path), Before);
    EXPECT_EQ(Inode(Other), Before);
    EXPECT_EQ(LoadedSentence(Other).size(), 100000u);
    EXPECT_EQ(ListFolder(Folder.Path()), "doc.vbf other.vbf");
}

// A rename stays the way whenever the new file can have the old one's owner.
TEST_P(SafeSaveTest, RootKeepsAnotherUsersOwnerAndGroup)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root may give a file to another user";
    ASSERT_EQ(::chown(Path.c_str(), OrdinaryUid, SharedGid), 0);
    const ino_t Before = Inode(Path);

    Engine.Save(Path, Ops);
    const struct stat After = StatOf(Path);
    EXPECT_EQ(After.st_uid, OrdinaryUid);
    EXPECT_EQ(After.st_gid, SharedGid);
    EXPECT_NE(After.st_ino, Before);
}

TEST_P(SafeSaveTest, NamesAsLongAsTheSystemAllows)
{
    const std::string Name = std::string(251, 'n') + ".vbf";
    const std::string Long = Folder.File(Name);
    Engine.Save(Long, Ops);
    Engine.SetSentence(u"Roma");
    Engine.Save(Long, Ops);
    EXPECT_EQ(LoadedSentence(Long), u"Roma");
    EXPECT_EQ(ListFolder(Folder.Path()), "doc.vbf " + Name);
}

// On the disk and on a tmpfs, over an old file and as a new one.
TEST_P(SafeSaveTest, OnlyTheNamedFallbackShowsATemporaryNameWhileWriting)
{
    const fs::path Mount = Folder.Path() / "small";
    fs::create_directory(Mount);
    TSmallFileSystem Small(Mount, "1m");
    std::vector<fs::path> Places = {Folder.Path()};
    if (Small.Active())
        Places.push_back(Mount);
    Engine.SetSentence(u"Roma");
    for (const fs::path& Where : Places) {
        SCOPED_TRACE(Where);
        const std::set<std::string> Before = TWatchingOps::Entries(Where);
        TWatchingOps Watching(NamedOnly(), Where);
        Engine.Save((Where / "doc.vbf").string(), Watching);

        ASSERT_TRUE(Watching.WhileWriting);
        std::set<std::string> Extra;
        for (const std::string& Name : *Watching.WhileWriting)
            if (!Before.count(Name))
                Extra.insert(Name);
        if (NamedOnly()) {
            ASSERT_EQ(Extra.size(), 1u);
            EXPECT_EQ(Extra.begin()->front(), '.') << "the temporary file is not hidden";
        } else {
            EXPECT_TRUE(Extra.empty());
        }
        std::set<std::string> Expected = Before;
        Expected.insert("doc.vbf");
        EXPECT_EQ(TWatchingOps::Entries(Where), Expected);
        EXPECT_EQ(LoadedSentence((Where / "doc.vbf").string()), u"Roma");
    }
    if (!Small.Active())
        GTEST_SKIP() << "mounting a tmpfs is not allowed here; only the disk was tried";
}

INSTANTIATE_TEST_SUITE_P(Temporaries, SafeSaveTest, testing::Bool(), [](const auto& Info) {
    return std::string(Info.param ? "NamedFallback" : "Unnamed");
});

// The save made by the ordinary user: by the real program, or, to take the
// named fallback, by a child process that becomes that user.
TProgramResult SaveAsOrdinaryUser(const std::string& APath, bool ANamedOnly,
                                  const std::vector<gid_t>& AGroups = {})
{
    if (!ANamedOnly)
        return RunProgram(AsOrdinaryUser(
            {VERBANTO_CLI, "new", APath, "--sentence", "Roma nuova", "--attempt", "Mario nuovo"},
            AGroups));
    return RunInChild([&] {
        if (!BecomeOrdinaryUser(AGroups))
            return 3;
        TTestOps Ops(true);
        TAnagramEngine Engine;
        Engine.SetSentence(u"Roma nuova");
        try {
            Engine.Save(APath, Ops);
            return 0;
        } catch (const EFileError& Error) {
            std::cerr << Error.what() << '\n';
            return 1;
        }
    });
}

// How the program failed, or "" when it succeeded.
std::string Failure(const TProgramResult& AResult)
{
    if (AResult.ExitStatus == 0)
        return "";
    std::string Text = AResult.Errors;
    const std::string Prefix = "verbanto-cli: ";
    if (Text.starts_with(Prefix))
        Text.erase(0, Prefix.size());
    if (!Text.empty() && Text.back() == '\n')
        Text.pop_back();
    return "exit status " + std::to_string(AResult.ExitStatus) + ": " + Text;
}

// What a refused save must leave as it was: the entry, what it leads to
// and, for a regular file, its bytes.
std::string Describe(const std::string& APath)
{
    struct stat Entry;
    if (::lstat(APath.c_str(), &Entry) != 0)
        return "missing";
    std::string Text =
        "mode " + std::to_string(Entry.st_mode) + " inode " + std::to_string(Entry.st_ino);
    struct stat Target;
    if (S_ISLNK(Entry.st_mode) && ::stat(APath.c_str(), &Target) == 0)
        Text += " leads to mode " + std::to_string(Target.st_mode) + " inode " +
                std::to_string(Target.st_ino) + " device " + std::to_string(Target.st_rdev);
    if (S_ISREG(Entry.st_mode))
        Text += " bytes " + std::to_string(std::hash<std::string>{}(ReadBytes(APath)));
    return Text;
}

void MakeDocument(const std::string& APath)
{
    TAnagramEngine Engine;
    Engine.SetSentence(u"Roma");
    Engine.Save(APath);
}

struct TRefusalCase
{
    const char* Name;
    std::function<void(const fs::path& AFolder)> Prepare; // makes AFolder/doc.vbf
    const char* Reason;
    bool OrdinaryUser;
    bool ImmutableFile;
};

void PrintTo(const TRefusalCase& ACase, std::ostream* AOut)
{
    *AOut << ACase.Name;
}

class SaveRefusalTest : public testing::TestWithParam<TRefusalCase>
{
};

// The folder would take a new file each time; the entry itself refuses.
TEST_P(SaveRefusalTest, LeavesTheEntryAsItWas)
{
    const TRefusalCase& Case = GetParam();
    if (::geteuid() != 0)
        GTEST_SKIP() << "making device nodes and giving files away needs root";
    if (Case.OrdinaryUser && !CanRunAsOrdinaryUser(VERBANTO_CLI))
        GTEST_SKIP() << "running the program as an ordinary user needs root, setpriv and a build it can reach";
    TTempFolder Folder;
    ASSERT_EQ(::chown(Folder.Path().c_str(), OrdinaryUid, OrdinaryGid), 0);
    ASSERT_EQ(::chmod(Folder.Path().c_str(), 0755), 0);
    Case.Prepare(Folder.Path());
    const std::string Path = Folder.File("doc.vbf");
    std::optional<TImmutableFolder> Locked; // chattr +i works on files, too
    if (Case.ImmutableFile) {
        Locked.emplace(Path);
        if (!Locked->Active())
            GTEST_SKIP() << "chattr +i is not available on " << Path;
    }
    const std::string Before = Describe(Path);
    const std::string Listing = ListFolder(Folder.Path());

    std::string Message;
    if (Case.OrdinaryUser) {
        Message = Failure(SaveAsOrdinaryUser(Path, false));
    } else {
        TAnagramEngine Engine;
        Engine.SetSentence(u"Roma nuova");
        try {
            Engine.Save(Path);
        } catch (const EFCreateError& Error) {
            Message = Error.what();
        }
        EXPECT_TRUE(Engine.Changed());
    }
    EXPECT_EQ(Message, std::string(Case.OrdinaryUser ? "exit status 1: " : "") +
                           "Cannot create file \"" + Path + "\". " + Case.Reason);
    EXPECT_EQ(Describe(Path), Before);
    EXPECT_EQ(ListFolder(Folder.Path()), Listing);
}

void MakeFifo(const fs::path& APath)
{
    ASSERT_EQ(::mkfifo(APath.c_str(), 0666), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, SaveRefusalTest,
    testing::Values(
        TRefusalCase{"OwnReadOnlyFile",
                     [](const fs::path& AFolder) {
                         const std::string Path = (AFolder / "doc.vbf").string();
                         MakeDocument(Path);
                         ASSERT_EQ(::chown(Path.c_str(), OrdinaryUid, OrdinaryGid), 0);
                         ASSERT_EQ(::chmod(Path.c_str(), 0444), 0);
                     },
                     "Permission denied", true, false},
        TRefusalCase{"ImmutableFile",
                     [](const fs::path& AFolder) { MakeDocument((AFolder / "doc.vbf").string()); },
                     "Operation not permitted", false, true},
        TRefusalCase{"Fifo", [](const fs::path& AFolder) { MakeFifo(AFolder / "doc.vbf"); },
                     "Operation not supported", false, false},
        TRefusalCase{"FifoThroughLink",
                     [](const fs::path& AFolder) {
                         MakeFifo(AFolder / "pipe");
                         fs::create_symlink("pipe", AFolder / "doc.vbf");
                     },
                     "Operation not supported", false, false},
        // A node of the null device of our own, so that a fault cannot
        // replace the system's.
        TRefusalCase{"DeviceThroughLink",
                     [](const fs::path& AFolder) {
                         ASSERT_EQ(
                             ::mknod((AFolder / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
                         fs::create_symlink("null", AFolder / "doc.vbf");
                     },
                     "Operation not supported", false, false},
        TRefusalCase{"Folder",
                     [](const fs::path& AFolder) { fs::create_directory(AFolder / "doc.vbf"); },
                     "Is a directory", false, false}),
    [](const auto& Info) { return std::string(Info.param.Name); });

struct TUserSaveCase
{
    const char* Name;
    uid_t FolderUid;
    gid_t FolderGid;
    mode_t FolderMode;
    uid_t FileUid;
    gid_t FileGid;
    mode_t FileMode;
    bool InSharedGroup;
    bool InPlace;
};

void PrintTo(const TUserSaveCase& ACase, std::ostream* AOut)
{
    *AOut << ACase.Name;
}

class OrdinaryUserSaveTest : public testing::TestWithParam<TUserSaveCase>
{
};

// The file keeps its owner, group and mode; it is replaced by a rename
// unless that would change what the file is.
TEST_P(OrdinaryUserSaveTest, KeepsWhatTheFileIs)
{
    const TUserSaveCase& Case = GetParam();
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving files to another user needs root";
    // A clone in a folder the ordinary user cannot enter still tests the
    // save through a child process that becomes that user.
    const bool ProgramReachable = CanRunAsOrdinaryUser(VERBANTO_CLI);
    if (!ProgramReachable)
        std::cerr << "the program is out of the ordinary user's reach: only the child saves\n";
    for (const bool NamedOnly : {false, true}) {
        if (!NamedOnly && !ProgramReachable)
            continue;
        SCOPED_TRACE(NamedOnly ? "named fallback" : "the program");
        TTempFolder Folder;
        const std::string Path = Folder.File("doc.vbf");
        MakeDocument(Path);
        ASSERT_EQ(::chown(Path.c_str(), Case.FileUid, Case.FileGid), 0);
        ASSERT_EQ(::chmod(Path.c_str(), Case.FileMode), 0);
        ASSERT_EQ(::chown(Folder.Path().c_str(), Case.FolderUid, Case.FolderGid), 0);
        ASSERT_EQ(::chmod(Folder.Path().c_str(), Case.FolderMode), 0);
        const ino_t Before = Inode(Path);

        const std::vector<gid_t> Groups =
            Case.InSharedGroup ? std::vector<gid_t>{SharedGid} : std::vector<gid_t>{};
        EXPECT_EQ(Failure(SaveAsOrdinaryUser(Path, NamedOnly, Groups)), "");
        const struct stat After = StatOf(Path);
        EXPECT_EQ(After.st_uid, Case.FileUid);
        EXPECT_EQ(After.st_gid, Case.FileGid);
        EXPECT_EQ(After.st_mode & 07777, Case.FileMode);
        EXPECT_EQ(After.st_ino == Before, Case.InPlace);
        EXPECT_EQ(LoadedSentence(Path), u"Roma nuova");
        EXPECT_EQ(ListFolder(Folder.Path()), "doc.vbf");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, OrdinaryUserSaveTest,
    testing::Values(TUserSaveCase{"OwnFileInOwnFolder", OrdinaryUid, OrdinaryGid, 0755, OrdinaryUid,
                                  OrdinaryGid, 0644, false, false},
                    TUserSaveCase{"GroupMemberOnRootsFile", 0, SharedGid, 0775, 0, SharedGid, 0664,
                                  true, true},
                    TUserSaveCase{"FolderRefusesNewFiles", 0, 0, 0755, OrdinaryUid, OrdinaryGid,
                                  0644, false, true}),
    [](const auto& Info) { return std::string(Info.param.Name); });

// Waits until APid has a file open in AFolder other than ASource, which is
// the save under way; false when it ended first (an ended process has no
// open files).
bool WaitUntilSaving(pid_t APid, const fs::path& AFolder, const std::string& ASource)
{
    const fs::path Fds = "/proc/" + std::to_string(APid) + "/fd";
    const std::string Inside = AFolder.string() + "/";
    for (;;) {
        std::error_code Error;
        bool AnyOpen = false;
        for (fs::directory_iterator It(Fds, Error); !Error && It != fs::directory_iterator();
             It.increment(Error)) {
            AnyOpen = true;
            const std::string Target = fs::read_symlink(It->path(), Error).string();
            if (!Error && Target.starts_with(Inside) && Target != ASource)
                return true;
            Error.clear();
        }
        if (!AnyOpen)
            return false;
        ::usleep(100);
    }
}

// Kills the real program at different points of saving a 20 MB document.
TEST(KilledSaveTest, LeavesTheOldOrTheNewDocumentAndNothingElse)
{
    TTempFolder Folder;
    const std::string Source = Folder.File("big.vbf");
    const std::string Target = Folder.File("out.vbf");
    const std::u16string Big(10'000'000, u'x');
    TAnagramEngine Engine;
    Engine.SetSentence(Big);
    Engine.Save(Source);

    int Caught = 0;
    for (int Round = 0; Round < 10; ++Round) {
        SCOPED_TRACE(Round);
        MakeDocument(Target);
        const pid_t Pid = StartProgram({VERBANTO_CLI, "convert", Source, Target});
        ASSERT_GT(Pid, 0);
        if (WaitUntilSaving(Pid, Folder.Path(), Source)) {
            ++Caught;
            ::usleep(static_cast<useconds_t>(Round) * 2000);
        }
        ::kill(Pid, SIGKILL);
        ::waitpid(Pid, nullptr, 0);

        EXPECT_EQ(ListFolder(Folder.Path()), "big.vbf out.vbf");
        const std::u16string Saved = LoadedSentence(Target);
        EXPECT_TRUE(Saved == u"Roma" || Saved == Big) << "a sentence of " << Saved.size();
    }
    if (Caught == 0)
        GTEST_SKIP() << "the program always finished before it could be killed";
}

} // namespace
