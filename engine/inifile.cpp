// SPDX-License-Identifier: GPL-3.0-or-later
#include "inifile.h"

#include "casefold.h"

#include <algorithm>

namespace {

constexpr std::u16string_view Blanks = u" \t";

std::u16string_view Trim(std::u16string_view AText)
{
    const std::size_t First = AText.find_first_not_of(Blanks);
    if (First == std::u16string_view::npos)
        return {};
    return AText.substr(First, AText.find_last_not_of(Blanks) - First + 1);
}

std::u16string_view Unquote(std::u16string_view AValue)
{
    if (AValue.size() >= 2 && AValue.front() == u'"' && AValue.back() == u'"')
        return AValue.substr(1, AValue.size() - 2);
    return AValue;
}

std::u16string Cut(std::u16string_view AValue)
{
    return std::u16string(AValue.substr(0, TIniFile::MaxValueLength));
}

} // namespace

TIniFile::TIniFile(std::u16string_view AText)
{
    std::optional<std::u16string> Section;
    // A text that ends with a line break yields one more, empty, line: harmless.
    for (std::size_t Start = 0; Start <= AText.size();) {
        const std::size_t End = std::min(AText.find_first_of(u"\r\n", Start), AText.size());
        ParseLine(AText.substr(Start, End - Start), Section);
        Start = End + (AText.substr(End).starts_with(u"\r\n") ? 2 : 1);
    }
}

void TIniFile::ParseLine(std::u16string_view ALine, std::optional<std::u16string>& ASection)
{
    const std::u16string_view Line = Trim(ALine);
    if (Line.starts_with(u'[')) {
        const std::u16string_view Name = Line.substr(1);
        ASection = FoldCase(Trim(Name.substr(0, Name.find(u']'))));
        return;
    }
    const std::size_t Equals = Line.find(u'=');
    if (!ASection || Line.starts_with(u';') || Equals == std::u16string_view::npos)
        return;
    FEntries.push_back({*ASection, FoldCase(Trim(Line.substr(0, Equals))),
                        std::u16string(Unquote(Trim(Line.substr(Equals + 1))))});
}

std::u16string TIniFile::ReadString(std::u16string_view ASection, std::u16string_view AKey,
                                    std::u16string_view ADefault) const
{
    const std::u16string Section = FoldCase(ASection);
    const std::u16string Key = FoldCase(AKey);
    const auto Found = std::find_if(FEntries.begin(), FEntries.end(), [&](const TEntry& E) {
        return E.Section == Section && E.Key == Key;
    });
    // The default was copied through the same buffer as a value.
    return Cut(Found == FEntries.end() ? ADefault : std::u16string_view(Found->Value));
}

std::vector<std::u16string> TIniFile::ReadSectionValues(std::u16string_view ASection) const
{
    const std::u16string Section = FoldCase(ASection);
    std::vector<std::u16string> Values;
    for (const TEntry& E : FEntries) {
        if (E.Section == Section)
            Values.push_back(Cut(E.Value));
    }
    return Values;
}
