// SPDX-License-Identifier: GPL-3.0-or-later
#include "anagram.h"

#include "anagramengine.h"
#include "tally.h"

namespace {

// Blank as the status sees it: nothing left once every code up to 32 is
// trimmed from both ends.
bool IsBlank(std::u16string_view S)
{
    for (char16_t C : S)
        if (C > u' ')
            return false;
    return true;
}

} // namespace

TAnagram::TAnagram(TAnagramEngine& AEngine) : FEngine(AEngine) {}

TAnagram::TAnagram(TAnagramEngine& AEngine, std::u16string&& AText,
                   const TLetters& ASentenceLetters)
    : FAnagram(std::move(AText)), FLetters(ASentenceLetters), FEngine(AEngine)
{
    ProcessString(FAnagram, false);
}

void TAnagram::SetAnagram(std::u16string_view AValue)
{
    FAnagram = AValue;
    FEngine.FChanged = true;
    Recalculate();
}

void TAnagram::ProcessString(std::u16string_view S, bool bAdd, TLetters& ALetters)
{
    TAnagramEngine::CountLetters(S, bAdd ? 1 : -1, ALetters);
}

void TAnagram::Recount()
{
    FLetters = FEngine.FSentenceLetters;
    ProcessString(FAnagram, false);
}

void TAnagram::Recalculate()
{
    Recount();
    if (FEngine.OnAnagramChanged)
        FEngine.OnAnagramChanged(FEngine, *this, FEngine.IndexOf(*this));
}

bool TAnagram::AllAvailable(std::u16string_view AKeyLetters, const TLetters& ALetters)
{
    for (char16_t L : AKeyLetters)
        if (ALetters[L] <= 0)
            return false;
    return true;
}

bool TAnagram::AcceptChar(char16_t Key) const
{
    return AllAvailable(TAnagramEngine::Normalize(Key), FLetters);
}

bool TAnagram::AcceptChar(char16_t Key, std::u16string_view Selection) const
{
    const std::u16string KeyLetters = TAnagramEngine::Normalize(Key);
    if (KeyLetters.empty())
        return true;
    TLetters Scratch = FEngine.FSentenceLetters;
    ProcessString(FAnagram, false, Scratch);
    ProcessString(Selection, true, Scratch);
    return AllAvailable(KeyLetters, Scratch);
}

bool TAnagram::AcceptText(std::u16string_view AText, std::u16string_view Selection) const
{
    TLetters Free = FLetters;
    ProcessString(Selection, true, Free);
    return Fits(TallyOf(AText), Free);
}

TAnagramStatus TAnagram::Status() const
{
    if (IsBlank(FEngine.Sentence()) && IsBlank(FAnagram))
        return TAnagramStatus::asEmpty;
    bool Available = false;
    for (char16_t L = u'A'; L <= u'Z'; ++L) {
        if (FLetters[L] < 0)
            return TAnagramStatus::asExcess;
        Available = Available || FLetters[L] > 0;
    }
    return Available ? TAnagramStatus::asIncomplete : TAnagramStatus::asComplete;
}
