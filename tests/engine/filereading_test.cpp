// SPDX-License-Identifier: GPL-3.0-or-later
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

} // namespace
