// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordlist.h"

#include "casefold.h"
#include "filereading.h"
#include "letters.h"
#include "tally.h"
#include "textencoding.h"

#include <algorithm>
#include <optional>

namespace {

// Blanks as a list's lines carry them: spaces, tabs, the CR of CR LF.
std::u16string_view Trimmed(std::u16string_view ALine)
{
    while (!ALine.empty() && ALine.front() <= u' ')
        ALine.remove_prefix(1);
    while (!ALine.empty() && ALine.back() <= u' ')
        ALine.remove_suffix(1);
    return ALine;
}

bool HasLetters(std::u16string_view AWord)
{
    // Most words of a list show a plain letter at once; the converter is
    // needed only to learn whether other characters stand for letters.
    if (std::any_of(AWord.begin(), AWord.end(), [](char16_t C) { return FilterLetter(C) != 0; }))
        return true;
    const TLetters Tally = TallyOf(AWord);
    for (char16_t L = u'A'; L <= u'Z'; ++L)
        if (Tally[L] > 0)
            return true;
    return false;
}

template <typename TVisit> void ForEachLine(std::u16string_view AText, TVisit AVisit)
{
    while (!AText.empty()) {
        const std::size_t End = std::min(AText.find(u'\n'), AText.size());
        AVisit(Trimmed(AText.substr(0, End)));
        AText.remove_prefix(std::min(End + 1, AText.size()));
    }
}

} // namespace

void TWordList::AddListFile(const std::string& APath)
{
    AddListText(DecodeText(ReadWholeFile(APath)), false);
}

void TWordList::AddPersonalFile(const std::string& APath)
{
    AddListText(DecodeText(ReadWholeFile(APath)), true);
}

void TWordList::AddListText(std::u16string_view AText, bool bPersonal)
{
    // Roughly one word per ten code units; too few buckets would mean
    // rehashing again and again on a large list.
    FIndex.reserve(FIndex.size() + AText.size() / 10);
    ForEachLine(AText, [&](std::u16string_view ALine) {
        if (bPersonal && ALine.starts_with(u'-'))
            Remove(Trimmed(ALine.substr(1)));
        else
            Add(ALine, bPersonal);
    });
}

void TWordList::Add(std::u16string_view AWord, bool bPersonal)
{
    AWord = Trimmed(AWord);
    if (!HasLetters(AWord))
        return;
    const auto [Found, bAdded] = FIndex.try_emplace(FoldCase(AWord), FWords.size());
    if (bAdded) {
        FWords.push_back(TWord{std::u16string(AWord), bPersonal});
        FRemoved.push_back(false);
    } else if (bPersonal) {
        FWords[Found->second].bPersonal = true; // the user's own choice ranks it, spelling stays
    }
}

void TWordList::Remove(std::u16string_view AWord)
{
    const auto Found = FIndex.find(FoldCase(Trimmed(AWord)));
    if (Found == FIndex.end())
        return;
    FRemoved[Found->second] = true;
    FIndex.erase(Found);
}

std::vector<TWord> TWordList::Words() &&
{
    std::vector<TWord> Result;
    Result.reserve(FIndex.size());
    for (std::size_t I = 0; I < FWords.size(); ++I)
        if (!FRemoved[I])
            Result.push_back(std::move(FWords[I]));
    return Result;
}

std::vector<TWord> TWordList::Words() const&
{
    std::vector<TWord> Result;
    Result.reserve(FIndex.size());
    for (std::size_t I = 0; I < FWords.size(); ++I)
        if (!FRemoved[I])
            Result.push_back(FWords[I]);
    return Result;
}

TWordList DefaultWordList(const std::string& AListPath, const std::string& APersonalPath)
{
    TWordList List;
    List.AddListFile(AListPath);
    for (const std::u16string_view Word : {u"a", u"e", u"è", u"i", u"o"})
        List.Add(Word, false);
    if (APersonalPath.empty())
        return List;
    if (const std::optional<std::string> Personal = ReadFileIfExists(APersonalPath))
        List.AddListText(DecodeText(*Personal), true);
    return List;
}
