// SPDX-License-Identifier: GPL-3.0-or-later
#include "anagramengine.h"
#include "documentformat.h"

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
    const std::string Bytes = ReadWholeFile(FileName);
    TDocument Document =
        IsByteLayout(Bytes) ? ParseByteLayout(Bytes, FileName) : ParseLegacyLayout(Bytes);
    ClearAnagrams();
    FAnagramIndex = 0;
    TakeDocument(Document);
}

void TAnagramEngine::LoadNew(const std::string& FileName)
{
    TDocument Document = ParseByteLayout(ReadWholeFile(FileName), FileName);
    TakeDocument(Document);
}

void TAnagramEngine::LoadOld(const std::string& FileName)
{
    TDocument Document = ParseLegacyLayout(ReadWholeFile(FileName));
    TakeDocument(Document);
}

// Everything that can fail has been read by now; what follows raises the
// same events, in the same order, as reading the file piece by piece would.
void TAnagramEngine::TakeDocument(TDocument& ADocument)
{
    TLoadingScope Loading(FLoading);
    if (ADocument.Order)
        FOrder = *ADocument.Order;
    AssignSentence(ADocument.Sentence);
    try {
        if (OnAnagramsLoading)
            OnAnagramsLoading(*this, static_cast<int32_t>(ADocument.Attempts.size()), FSentence);
        for (const std::u16string& Text : ADocument.Attempts) {
            FAnagramList.push_back(std::make_unique<TAnagram>(*this));
            FAnagramList.back()->SetAnagram(Text);
        }
    } catch (...) {
        // Running out of memory half way must still leave a current attempt.
        if (FAnagramList.empty())
            FAnagramList.push_back(std::make_unique<TAnagram>(*this));
        throw;
    }
    FChanged = false;
}
