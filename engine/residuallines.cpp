// SPDX-License-Identifier: GPL-3.0-or-later
#include "residuallines.h"

#include "anagramengine.h"

namespace {

std::u16string Finished(const std::u16string& AGroups)
{
    // Every group starts with a blank; dropping the first trims the line.
    return AGroups.empty() ? std::u16string(u"--") : AGroups.substr(1);
}

} // namespace

TResidualLines BuildResidualLines(const TAnagramEngine& AEngine)
{
    std::u16string Vowels;
    std::u16string Consonants;
    for (char16_t P = u'A'; P <= u'Z'; ++P) {
        const char16_t L = AEngine.GetLetterAtPosition(P);
        const int32_t N = AEngine.GetLetters(L);
        if (N <= 0)
            continue;
        std::u16string& Line = IsVowel(L) ? Vowels : Consonants;
        Line.push_back(u' ');
        Line.append(static_cast<std::size_t>(N), L);
    }
    return {Finished(Vowels), Finished(Consonants)};
}
