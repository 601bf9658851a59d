// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileerror.h"
#include "filereading.h"
#include "tempfolder.h"

#include <gtest/gtest.h>
#include <string>

namespace {

TEST(ReadWholeFileTest, ReadsEveryByte)
{
    TTempFolder Folder;
    for (const std::size_t Size : {std::size_t{0}, std::size_t{1}, std::size_t{200000}}) {
        std::string Bytes(Size, '\0');
        for (std::size_t I = 0; I < Bytes.size(); ++I)
            Bytes[I] = static_cast<char>(I * 7);
        WriteBytes(Folder.File("f"), Bytes);
        EXPECT_EQ(ReadWholeFile(Folder.File("f")), Bytes) << Size << " bytes";
    }
}

// A settings file that was never written is no error; a document that is
// missing is, with the usual message.
TEST(ReadWholeFileTest, AMissingFileIsNothingOrAnError)
{
    TTempFolder Folder;
    const std::string Missing = Folder.File("missing");
    EXPECT_FALSE(ReadFileIfExists(Missing).has_value());
    try {
        ReadWholeFile(Missing);
        FAIL() << "a missing file was read";
    } catch (const EFOpenError& Error) {
        EXPECT_EQ(std::string(Error.what()),
                  "Cannot open file \"" + Missing + "\". No such file or directory");
    }
    WriteBytes(Missing, "x");
    EXPECT_EQ(ReadFileIfExists(Missing), std::optional<std::string>("x"));
}

} // namespace
