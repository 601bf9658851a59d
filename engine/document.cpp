// SPDX-License-Identifier: GPL-3.0-or-later
#include "anagramengine.h"
#include "documentformat.h"
#include "filereading.h"

#include <utility>

namespace {

class TLoadingScope
{
public:
    explicit TLoadingScope(bool& AFlag) : FFlag(AFlag) { FFlag = true; }
    ~TLoadingScope() { FFlag = false; }
    TLoadingScope(const TLoadingScope&) = delete;
    TLoadingScope& operator=(const TLoadingScope&) = delete;

private:
    bool& FFlag;
};

// The file's bytes are gone once the document is parsed, before its
// attempts are built.
TDocument ReadDocument(const std::string& AFileName)
{
    const std::string Bytes = ReadWholeFile(AFileName);
    return IsByteLayout(Bytes) ? ParseByteLayout(Bytes, AFileName) : ParseLegacyLayout(Bytes);
}

} // namespace

void TAnagramEngine::Save(const std::string& FileName, TFileOps& AOps)
{
    std::vector<std::u16string_view> Attempts;
    Attempts.reserve(FAnagramList.size());
    for (const auto& Anagram : FAnagramList)
        Attempts.push_back(Anagram->Anagram());
    WriteFileAtomically(FileName, SerializeByteLayout(FOrder, FSentence, Attempts), AOps);
    FChanged = false;
}

void TAnagramEngine::Load(const std::string& FileName)
{
    TakeDocument(ReadDocument(FileName), true);
}

void TAnagramEngine::LoadNew(const std::string& FileName)
{
    TakeDocument(ParseByteLayout(ReadWholeFile(FileName), FileName), false);
}

void TAnagramEngine::LoadOld(const std::string& FileName)
{
    TakeDocument(ParseLegacyLayout(ReadWholeFile(FileName)), false);
}

// All or nothing. Every attempt is built and counted against the new
// sentence while the engine is still untouched; the engine then takes the
// document by swaps and moves into reserved room, none of which can fail.
// The events come last. Should a handler throw, the former document is put
// back, again by swaps, and the error passes on: the engine never holds
// half a document nor none, and the listener, which has been shown part of
// the new one, must show the engine anew.
void TAnagramEngine::TakeDocument(TDocument&& ADocument, bool AReplace)
{
    std::u16string Sentence = std::move(ADocument.Sentence);
    TLetters SentenceLetters;
    TAnagram::ProcessString(Sentence, true, SentenceLetters);
    TLetterOrder Order = ADocument.Order.value_or(FOrder);
    std::vector<std::unique_ptr<TAnagram>> Loaded;
    Loaded.reserve(ADocument.Attempts.size());
    for (std::u16string& Text : ADocument.Attempts)
        Loaded.push_back(
            std::unique_ptr<TAnagram>(new TAnagram(*this, std::move(Text), SentenceLetters)));
    // A replacing load swaps this empty list in for the attempts held.
    std::vector<std::unique_ptr<TAnagram>> Former;
    if (AReplace)
        Former.reserve(Loaded.size());
    else
        FAnagramList.reserve(FAnagramList.size() + Loaded.size());

    std::swap(FSentence, Sentence);
    std::swap(FSentenceLetters, SentenceLetters);
    std::swap(FOrder, Order);
    if (AReplace)
        FAnagramList.swap(Former);
    const std::size_t Kept = FAnagramList.size();
    const int32_t FormerIndex = std::exchange(FAnagramIndex, AReplace ? 0 : FAnagramIndex);
    const bool FormerChanged = FChanged;
    try {
        AnnounceLoaded(Loaded);
    } catch (...) {
        FAnagramList.erase(FAnagramList.begin() + static_cast<std::ptrdiff_t>(Kept),
                           FAnagramList.end());
        if (AReplace)
            FAnagramList.swap(Former);
        std::swap(FSentence, Sentence);
        std::swap(FSentenceLetters, SentenceLetters);
        std::swap(FOrder, Order);
        FAnagramIndex = FormerIndex;
        FChanged = FormerChanged;
        throw;
    }
    FChanged = false;
}

// The events a reader that creates the attempts one by one would raise:
// each attempt joins the list just before it is announced, and its text
// counts as written, so the document shows as changed until the load ends.
void TAnagramEngine::AnnounceLoaded(std::vector<std::unique_ptr<TAnagram>>& AAttempts)
{
    const TLoadingScope Loading(FLoading);
    if (OnAnagramsLoading)
        OnAnagramsLoading(*this, static_cast<int32_t>(AAttempts.size()), FSentence);
    FChanged = true;
    for (std::unique_ptr<TAnagram>& Attempt : AAttempts) {
        FAnagramList.push_back(std::move(Attempt));
        if (OnAnagramChanged)
            OnAnagramChanged(*this, *FAnagramList.back(), AnagramsCount() - 1);
    }
}
