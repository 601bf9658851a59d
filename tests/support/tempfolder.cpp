// SPDX-License-Identifier: GPL-3.0-or-later
#include "tempfolder.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <sys/mount.h>

namespace fs = std::filesystem;

namespace {

bool Run(const std::string& ACommand)
{
    return std::system((ACommand + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Quoted(const fs::path& APath)
{
    return "'" + APath.string() + "'";
}

} // namespace

TTempFolder::TTempFolder()
{
    std::string Template = (fs::temp_directory_path() / "verbanto-test-XXXXXX").string();
    if (!mkdtemp(Template.data()))
        throw std::runtime_error("cannot create a temporary folder");
    FPath = Template;
}

TTempFolder::~TTempFolder()
{
    std::error_code Ignored;
    fs::remove_all(FPath, Ignored);
}

std::string ReadBytes(const std::string& APath)
{
    std::ifstream In(APath, std::ios::binary);
    if (!In)
        throw std::runtime_error("cannot read " + APath);
    return std::string(std::istreambuf_iterator<char>(In), {});
}

void WriteBytes(const std::string& APath, std::string_view ABytes)
{
    std::ofstream Out(APath, std::ios::binary | std::ios::trunc);
    Out.write(ABytes.data(), static_cast<std::streamsize>(ABytes.size()));
    if (!Out)
        throw std::runtime_error("cannot write " + APath);
}

std::string ListFolder(const fs::path& AFolder)
{
    std::set<std::string> Names;
    for (const auto& Entry : fs::directory_iterator(AFolder))
        Names.insert(Entry.path().filename().string());
    std::string Result;
    for (const std::string& Name : Names)
        Result += (Result.empty() ? "" : " ") + Name;
    return Result;
}

TImmutableFolder::TImmutableFolder(const fs::path& AFolder)
    : FFolder(AFolder), FActive(Run("chattr +i " + Quoted(AFolder)))
{}

TImmutableFolder::~TImmutableFolder()
{
    if (FActive)
        Run("chattr -i " + Quoted(FFolder));
}

TSmallFileSystem::TSmallFileSystem(const fs::path& AFolder, std::string_view ASize)
    : FFolder(AFolder), FActive(::mount("tmpfs", AFolder.c_str(), "tmpfs", 0,
                                        ("size=" + std::string(ASize)).c_str()) == 0)
{}

TSmallFileSystem::~TSmallFileSystem()
{
    if (FActive)
        ::umount(FFolder.c_str());
}

std::string Utf16Le(std::u16string_view AText)
{
    std::string Bytes = "\xFF\xFE";
    for (const char16_t C : AText) {
        Bytes.push_back(static_cast<char>(C & 0xFF));
        Bytes.push_back(static_cast<char>(C >> 8));
    }
    return Bytes;
}
