// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

// Letter codes are the UTF-16 code units 'A'..'Z'; both arrays below are
// indexed by them.

inline constexpr int LetterCount = 26;

inline constexpr bool IsLetterCode(char16_t C)
{
    return C >= u'A' && C <= u'Z';
}

inline constexpr bool IsVowel(char16_t C)
{
    return C == u'A' || C == u'E' || C == u'I' || C == u'O' || C == u'U';
}

// 'A'..'Z' as they are, 'a'..'z' upper-cased, anything else 0.
template <typename TChar> constexpr TChar FilterLetter(TChar C)
{
    if (C >= 'A' && C <= 'Z')
        return C;
    if (C >= 'a' && C <= 'z')
        return static_cast<TChar>(C - 0x20);
    return 0;
}

// Per letter: the sentence's count minus the attempt's.
class TLetters
{
public:
    int32_t& operator[](char16_t C) { return FCounts[C - u'A']; }
    int32_t operator[](char16_t C) const { return FCounts[C - u'A']; }
    void Clear() { FCounts.fill(0); }
    bool operator==(const TLetters&) const = default;

private:
    std::array<int32_t, LetterCount> FCounts{};
};

// Element at position P ('A' = first) is the letter listed there.
class TLetterOrder
{
public:
    TLetterOrder() { Sort(); }

    char16_t& operator[](char16_t P) { return FLetters[P - u'A']; }
    char16_t operator[](char16_t P) const { return FLetters[P - u'A']; }
    void Sort()
    {
        for (int I = 0; I < LetterCount; ++I)
            FLetters[I] = static_cast<char16_t>(u'A' + I);
    }
    bool IsPermutation() const
    {
        std::array<bool, LetterCount> Seen{};
        for (char16_t L : FLetters) {
            if (!IsLetterCode(L) || Seen[L - u'A'])
                return false;
            Seen[L - u'A'] = true;
        }
        return true;
    }
    bool operator==(const TLetterOrder&) const = default;

private:
    std::array<char16_t, LetterCount> FLetters{};
};

enum class TAnagramStatus : uint8_t
{
    asEmpty = 0,
    asIncomplete = 1,
    asComplete = 2,
    asExcess = 3,
};
