// SPDX-License-Identifier: GPL-3.0-or-later
#include "anagramengine.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <string>

TAnagramEngine::TAnagramEngine()
    : FRandom(static_cast<std::mt19937::result_type>(
          std::chrono::steady_clock::now().time_since_epoch().count()))
{
    AddAnagram();
}

TAnagramEngine::~TAnagramEngine() = default;

void TAnagramEngine::Clear()
{
    AssignSentence(u"");
    FAnagramIndex = 0;
    ClearAnagrams();
    // The new attempt is announced while the old letter order still stands.
    AddAnagram();
    FOrder.Sort();
    FChanged = false;
    if (OnEngineCleared)
        OnEngineCleared(*this);
}

void TAnagramEngine::ClearAnagrams()
{
    FAnagramList.clear();
}

void TAnagramEngine::AddAnagram()
{
    FAnagramList.push_back(std::make_unique<TAnagram>(*this));
    FAnagramList.back()->Recalculate();
}

void TAnagramEngine::RemoveAnagram(int32_t AIndex)
{
    CheckIndex(AIndex, "RemoveAnagram");
    FAnagramList.erase(FAnagramList.begin() + AIndex);
    if (AIndex < FAnagramIndex)
        --FAnagramIndex;
    else if (FAnagramIndex >= AnagramsCount())
        FAnagramIndex = AnagramsCount() - 1;
    FChanged = true;
}

void TAnagramEngine::MoveCurrentTo(int32_t ANewIndex)
{
    if (ANewIndex == FAnagramIndex)
        return;
    CheckIndex(FAnagramIndex, "MoveCurrentTo");
    CheckIndex(ANewIndex, "MoveCurrentTo");
    const auto From = FAnagramList.begin() + FAnagramIndex;
    const auto To = FAnagramList.begin() + ANewIndex;
    if (ANewIndex < FAnagramIndex)
        std::rotate(To, From, From + 1);
    else
        std::rotate(From, From + 1, To + 1);
    FAnagramIndex = ANewIndex;
    // The order is the user's arrangement and is saved with the attempts.
    FChanged = true;
}

void TAnagramEngine::Shuffle()
{
    for (char16_t N = u'Z'; N >= u'B'; --N) {
        std::uniform_int_distribution<int> Draw(0, N - u'A');
        const auto J = static_cast<char16_t>(u'A' + Draw(FRandom));
        std::swap(FOrder[N], FOrder[J]);
    }
    FChanged = true;
    RaiseCurrentChanged();
}

void TAnagramEngine::Sort()
{
    FOrder.Sort();
    FChanged = true;
    RaiseCurrentChanged();
}

bool TAnagramEngine::AcceptChar(char16_t Key) const
{
    return CurrentAnagram().AcceptChar(Key);
}

bool TAnagramEngine::AcceptChar(char16_t Key, std::u16string_view Selection) const
{
    return CurrentAnagram().AcceptChar(Key, Selection);
}

bool TAnagramEngine::AcceptText(std::u16string_view AText, std::u16string_view Selection) const
{
    return CurrentAnagram().AcceptText(AText, Selection);
}

int32_t TAnagramEngine::GetLetters(char16_t C) const
{
    if (!IsLetterCode(C))
        throw std::out_of_range("GetLetters: " + std::to_string(C) + " is no letter code");
    return CurrentAnagram().GetLetters(C);
}

char16_t TAnagramEngine::GetLetterAtPosition(char16_t C) const
{
    if (!IsLetterCode(C))
        throw std::out_of_range("GetLetterAtPosition: " + std::to_string(C) +
                                " is no letter position");
    return FOrder[C];
}

TAnagram& TAnagramEngine::GetAnagram(int32_t Index) const
{
    CheckIndex(Index, "GetAnagram");
    return *FAnagramList[Index];
}

void TAnagramEngine::SetSentence(std::u16string_view AValue)
{
    AssignSentence(AValue);
    FChanged = true;
    // By index: finding each attempt in the list would cost the square of their number.
    for (int32_t I = 0; I < AnagramsCount(); ++I) {
        FAnagramList[I]->Recount();
        if (OnAnagramChanged)
            OnAnagramChanged(*this, *FAnagramList[I], I);
    }
}

void TAnagramEngine::SetCurrentIndex(int32_t AValue)
{
    CheckIndex(AValue, "CurrentIndex");
    FAnagramIndex = AValue;
    RaiseCurrentChanged();
}

TAnagram& TAnagramEngine::CurrentAnagram() const
{
    if (FAnagramIndex >= AnagramsCount())
        throw std::logic_error("CurrentAnagram: current index " + std::to_string(FAnagramIndex) +
                               " is not below the count " + std::to_string(AnagramsCount()));
    CheckIndex(FAnagramIndex, "CurrentAnagram");
    return *FAnagramList[FAnagramIndex];
}

void TAnagramEngine::AssignSentence(std::u16string_view AValue)
{
    FSentence = AValue;
    FSentenceLetters.Clear();
    TAnagram::ProcessString(FSentence, true, FSentenceLetters);
}

int32_t TAnagramEngine::IndexOf(const TAnagram& AAnagram) const
{
    // Almost always the attempt being typed in.
    if (FAnagramIndex < AnagramsCount() && FAnagramList[FAnagramIndex].get() == &AAnagram)
        return FAnagramIndex;
    const auto Found = std::find_if(FAnagramList.begin(), FAnagramList.end(),
                                    [&](const auto& Entry) { return Entry.get() == &AAnagram; });
    return Found == FAnagramList.end() ? -1 : static_cast<int32_t>(Found - FAnagramList.begin());
}

void TAnagramEngine::CheckIndex(int32_t AIndex, const char* AOperation) const
{
    if (AIndex < 0 || AIndex >= AnagramsCount())
        throw std::out_of_range(std::string(AOperation) + ": index " + std::to_string(AIndex) +
                                " is outside the list of " + std::to_string(AnagramsCount()) +
                                " attempts");
}

void TAnagramEngine::RaiseCurrentChanged()
{
    if (OnAnagramChanged)
        OnAnagramChanged(*this, CurrentAnagram(), FAnagramIndex);
}
