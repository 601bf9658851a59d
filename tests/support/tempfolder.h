// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// A fresh folder under the system's temporary folder, removed with all its
// content when the object goes.
class TTempFolder
{
public:
    TTempFolder();
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    const std::filesystem::path& Path() const { return FPath; }
    std::string File(std::string_view AName) const { return (FPath / AName).string(); }

private:
    std::filesystem::path FPath;
};

std::string ReadBytes(const std::string& APath);
void WriteBytes(const std::string& APath, std::string_view ABytes);
// AText as a file in UTF-16LE with its byte-order mark.
std::string Utf16Le(std::u16string_view AText);
// Names of the entries of AFolder, sorted, hidden ones included.
std::string ListFolder(const std::filesystem::path& AFolder);

// Makes a folder immutable (chattr +i) for as long as the object lives,
// which stops even root from creating files in it.
class TImmutableFolder
{
public:
    explicit TImmutableFolder(const std::filesystem::path& AFolder);
    ~TImmutableFolder();
    TImmutableFolder(const TImmutableFolder&) = delete;
    TImmutableFolder& operator=(const TImmutableFolder&) = delete;

    bool Active() const { return FActive; }

private:
    std::filesystem::path FFolder;
    bool FActive;
};

// A small tmpfs mounted on a folder for as long as the object lives, to
// make a disk really fill up.
class TSmallFileSystem
{
public:
    TSmallFileSystem(const std::filesystem::path& AFolder, std::string_view ASize);
    ~TSmallFileSystem();
    TSmallFileSystem(const TSmallFileSystem&) = delete;
    TSmallFileSystem& operator=(const TSmallFileSystem&) = delete;

    bool Active() const { return FActive; }

private:
    std::filesystem::path FFolder;
    bool FActive;
};
