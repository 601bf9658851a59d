// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "letters.h"

#include <cstdint>
#include <string>
#include <string_view>

class TAnagramEngine;

// One attempt at an anagram of the engine's sentence, with the tally of the
// letters it leaves over.
class TAnagram
{
public:
    explicit TAnagram(TAnagramEngine& AEngine);

    const std::u16string& Anagram() const { return FAnagram; }
    // Stores the text, marks the document changed and recounts, even when
    // the text is the same as before.
    void SetAnagram(std::u16string_view AValue);

    int32_t SelStart() const { return FSelStart; }
    void SetSelStart(int32_t AValue) { FSelStart = AValue; }
    int32_t SelLength() const { return FSelLength; }
    void SetSelLength(int32_t AValue) { FSelLength = AValue; }

    int32_t GetLetters(char16_t C) const { return FLetters[C]; }

    static void Clear(TLetters& ALetters) { ALetters.Clear(); }

    static void ProcessString(std::u16string_view S, bool bAdd, TLetters& ALetters);
    void ProcessString(std::u16string_view S, bool bAdd) { ProcessString(S, bAdd, FLetters); }

    // Recounts the whole tally and raises the engine's OnAnagramChanged.
    void Recalculate();

    // Whether Key may be typed with nothing selected.
    bool AcceptChar(char16_t Key) const;
    // Whether Key may be typed in place of the selected text.
    bool AcceptChar(char16_t Key, std::u16string_view Selection) const;

    // Whether several characters typed at once (an input-method commit) may
    // replace Selection: all their letters, counted together, must be free.
    bool AcceptText(std::u16string_view AText, std::u16string_view Selection) const;

    TAnagramStatus Status() const;

private:
    friend class TAnagramEngine;

    // An attempt read from a document: counted against the letters of the
    // sentence that comes with it, before the engine takes either, so it
    // raises nothing and marks nothing changed.
    TAnagram(TAnagramEngine& AEngine, std::u16string&& AText, const TLetters& ASentenceLetters);

    // Recounts the tally without raising anything.
    void Recount();
    static bool AllAvailable(std::u16string_view AKeyLetters, const TLetters& ALetters);

    std::u16string FAnagram;
    TLetters FLetters;
    TAnagramEngine& FEngine;
    int32_t FSelStart = 0;
    int32_t FSelLength = 0;
};
