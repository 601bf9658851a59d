// SPDX-License-Identifier: GPL-3.0-or-later
#include "anagramengine.h"
#include "fileerror.h"
#include "safefile.h"
#include "tempfolder.h"

#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Lets the first AAllowed bytes through, then fails as a full disk does.
class TFailingOps : public TFileOps
{
public:
    explicit TFailingOps(std::size_t AAllowed, bool AFailSync = false)
        : FLeft(AAllowed), FFailSync(AFailSync)
    {}

    ssize_t Write(int AFd, const char* AData, std::size_t ASize) override
    {
        if (FLeft == 0) {
            errno = ENOSPC;
            return -1;
        }
        const std::size_t Size = std::min(ASize, FLeft);
        FLeft -= Size;
        return TFileOps::Write(AFd, AData, Size);
    }

    int Sync(int AFd) override
    {
        if (FFailSync) {
            errno = EIO;
            return -1;
        }
        return TFileOps::Sync(AFd);
    }

private:
    std::size_t FLeft;
    bool FFailSync;
};

class SafeSaveTest : public testing::Test
{
protected:
    SafeSaveTest() : Path(Folder.File("doc.vbf"))
    {
        Engine.SetSentence(u"Roma");
        Engine.SetCurrentAnagramString(u"amor");
        Engine.Save(Path);
        OldBytes = ReadBytes(Path);
        // Something worth saving, and large enough to need several writes.
        Engine.SetSentence(std::u16string(100000, u'x'));
    }

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
    TAnagramEngine Engine;
    std::string OldBytes;
};

TEST_F(SafeSaveTest, AWriteThatStopsPartWayKeepsTheOldFile)
{
    for (std::size_t Allowed :
         {std::size_t{0}, std::size_t{1}, std::size_t{62}, std::size_t{200007}}) {
        SCOPED_TRACE(Allowed);
        TFailingOps Ops(Allowed);
        try {
            Engine.Save(Path, Ops);
            FAIL() << "saved";
        } catch (const EFCreateError& Error) {
            EXPECT_EQ(std::string(Error.what()),
                      "Cannot create file \"" + Path + "\". No space left on device");
        }
        ExpectOldDocumentIntact();
    }
}

TEST_F(SafeSaveTest, ASyncThatFailsKeepsTheOldFile)
{
    TFailingOps Ops(SIZE_MAX, true);
    EXPECT_THROW(Engine.Save(Path, Ops), EFCreateError);
    ExpectOldDocumentIntact();
}

// Root ignores permission bits, so the folder is made immutable instead.
TEST_F(SafeSaveTest, AFolderThatRefusesNewFilesKeepsTheOldFile)
{
    TImmutableFolder Locked(Folder.Path());
    if (!Locked.Active())
        GTEST_SKIP() << "chattr +i is not available on " << Folder.Path();
    try {
        Engine.Save(Path);
        FAIL() << "saved";
    } catch (const EFCreateError& Error) {
        EXPECT_EQ(std::string(Error.what()),
                  "Cannot create file \"" + Path + "\". Operation not permitted");
    }
    EXPECT_EQ(ReadBytes(Path), OldBytes);
    EXPECT_TRUE(Engine.Changed());
}

TEST_F(SafeSaveTest, AFullDiskKeepsTheOldFile)
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

    EXPECT_THROW(Engine.Save(SmallPath), EFCreateError);
    EXPECT_EQ(ReadBytes(SmallPath), Before);
    EXPECT_EQ(ListFolder(Mount), "doc.vbf");
    EXPECT_TRUE(Engine.Changed());
}

TEST_F(SafeSaveTest, KeepsPermissionBits)
{
    ASSERT_EQ(::chmod(Path.c_str(), 0640), 0);
    Engine.Save(Path);
    struct stat Info;
    ASSERT_EQ(::stat(Path.c_str(), &Info), 0);
    EXPECT_EQ(Info.st_mode & 07777, 0640u);
    EXPECT_FALSE(Engine.Changed());
}

TEST_F(SafeSaveTest, NewFilesFollowTheUmask)
{
    const mode_t Old = ::umask(022);
    const std::string Fresh = Folder.File("fresh.vbf");
    Engine.Save(Fresh);
    ::umask(Old);
    struct stat Info;
    ASSERT_EQ(::stat(Fresh.c_str(), &Info), 0);
    EXPECT_EQ(Info.st_mode & 07777, 0644u);
}

TEST_F(SafeSaveTest, WritesThroughASymbolicLinkAndKeepsIt)
{
    fs::create_directory(Folder.Path() / "real");
    const fs::path Target = Folder.Path() / "real" / "doc.vbf";
    fs::rename(Path, Target);
    fs::create_symlink("real/doc.vbf", Path);

    Engine.Save(Path);
    EXPECT_TRUE(fs::is_symlink(Path));
    EXPECT_EQ(ListFolder(Folder.Path() / "real"), "doc.vbf");
    TAnagramEngine Reader;
    Reader.Load(Target.string());
    EXPECT_EQ(Reader.Sentence().size(), 100000u);
}

} // namespace
