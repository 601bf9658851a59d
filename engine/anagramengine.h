// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "anagram.h"
#include "letters.h"
#include "safefile.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

class TAnagramEngine;
struct TDocument;

using TEngineClearedEvent = std::function<void(TAnagramEngine& Sender)>;
using TAnagramsLoadingEvent =
    std::function<void(TAnagramEngine& Sender, int32_t ACount, const std::u16string& ASentence)>;
using TAnagramChangedEvent =
    std::function<void(TAnagramEngine& Sender, TAnagram& AAnagram, int32_t AIndex)>;

// The working state of one document: the sentence, its attempts, the current
// attempt and the order in which residual letters are listed.
class TAnagramEngine
{
public:
    TAnagramEngine();
    ~TAnagramEngine();
    TAnagramEngine(const TAnagramEngine&) = delete;
    TAnagramEngine& operator=(const TAnagramEngine&) = delete;

    // Letter normalisation, usable without an engine. Filter is inline
    // because counting runs it on every letter of every attempt.
    static char16_t Filter(char16_t C) { return FilterLetter(C); }
    static char Filter(char C) { return FilterLetter(C); }
    static std::u16string Normalize(char16_t AChar);
    static std::u16string Normalize(std::u16string_view AString);

    void Clear();
    void ClearAnagrams();
    void AddAnagram();
    void RemoveAnagram(int32_t AIndex);
    void MoveCurrentTo(int32_t ANewIndex);
    void Shuffle();
    void Sort();

    // Documents. A load that fails in any way, an event handler that throws
    // included, leaves the engine exactly as it was; a file that cannot be
    // read or parsed throws EFileError. A save that fails leaves the engine
    // as it was, too.
    void Save(const std::string& FileName, TFileOps& AOps = TFileOps::System());
    void Load(const std::string& FileName);
    // The two readers append to the attempts held; Load empties them first.
    void LoadNew(const std::string& FileName);
    void LoadOld(const std::string& FileName);

    bool AcceptChar(char16_t Key) const;
    bool AcceptChar(char16_t Key, std::u16string_view Selection) const;
    bool AcceptText(std::u16string_view AText, std::u16string_view Selection) const;

    int32_t GetLetters(char16_t C) const;
    char16_t GetLetterAtPosition(char16_t C) const;
    TAnagram& GetAnagram(int32_t Index) const;

    const std::u16string& Sentence() const { return FSentence; }
    void SetSentence(std::u16string_view AValue);

    int32_t CurrentIndex() const { return FAnagramIndex; }
    void SetCurrentIndex(int32_t AValue);

    TAnagram& CurrentAnagram() const;
    const std::u16string& CurrentAnagramString() const { return CurrentAnagram().Anagram(); }
    void SetCurrentAnagramString(std::u16string_view AValue)
    {
        CurrentAnagram().SetAnagram(AValue);
    }

    int32_t AnagramsCount() const { return static_cast<int32_t>(FAnagramList.size()); }
    bool Loading() const { return FLoading; }
    bool Changed() const { return FChanged; }

    // One handler per slot, raised synchronously inside the operation.
    TEngineClearedEvent OnEngineCleared;
    TAnagramsLoadingEvent OnAnagramsLoading;
    TAnagramChangedEvent OnAnagramChanged;

private:
    friend class TAnagram;

    // Adds AStep for each letter of Normalize(AText), without building it.
    static void CountLetters(std::u16string_view AText, int32_t AStep, TLetters& ALetters);
    int32_t IndexOf(const TAnagram& AAnagram) const;
    void CheckIndex(int32_t AIndex, const char* AOperation) const;
    void RaiseCurrentChanged();
    void TakeDocument(TDocument&& ADocument, bool AReplace);
    void AnnounceLoaded(std::vector<std::unique_ptr<TAnagram>>& AAttempts);
    void AssignSentence(std::u16string_view AValue);

    bool FChanged = false;
    bool FLoading = false;
    std::u16string FSentence;
    // The sentence's letters, counted once per change of the sentence rather
    // than once per attempt: loading thousands of attempts would otherwise
    // count the same sentence thousands of times.
    TLetters FSentenceLetters;
    TLetterOrder FOrder;
    std::vector<std::unique_ptr<TAnagram>> FAnagramList;
    int32_t FAnagramIndex = 0;
    std::mt19937 FRandom;
};
