// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct TWord
{
    std::u16string Text;
    bool bPersonal = false;
};

// The words of one or more lists, merged in the order they were given.
// Words equal without regard to case are one word, spelt as it came first;
// words that differ in an accent are different words.
class TWordList
{
public:
    // Adds the words of a list file, one per line, in UTF-8 or else
    // Windows-1252. Throws EFOpenError naming APath when it cannot be read.
    void AddListFile(const std::string& APath);
    // The same for a personal list, whose words rank before the others and
    // where a line "-word" removes that word from what came before.
    void AddPersonalFile(const std::string& APath);
    void AddListText(std::u16string_view AText, bool bPersonal);

    // A blank word, or one without letters, is no word and is left out.
    void Add(std::u16string_view AWord, bool bPersonal);
    void Remove(std::u16string_view AWord);

    // In the order the words were first given.
    std::vector<TWord> Words() const&;
    // The same, taking the words out of a list no longer needed.
    std::vector<TWord> Words() &&;
    std::size_t Size() const { return FIndex.size(); }

private:
    // Every word ever added, in order; a removed one is kept but skipped.
    std::vector<TWord> FWords;
    std::vector<bool> FRemoved;
    // Position in FWords of each word present, by its case-folded spelling.
    std::unordered_map<std::u16string, std::size_t> FIndex;
};

// Where the system's Italian word list is installed.
inline constexpr const char* SystemWordListPath = "/usr/share/dict/italian";

// The program's own word set: the list at AListPath, the one-letter words
// that Italian lists leave out, then the personal list at APersonalPath when
// it exists (an empty path: none). Throws EFOpenError as the readers do.
TWordList DefaultWordList(const std::string& AListPath, const std::string& APersonalPath);
