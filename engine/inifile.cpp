// SPDX-License-Identifier: GPL-3.0-or-later
#include "inifile.h"

#include "casefold.h"
#include "textencoding.h"

#include <algorithm>
#include <initializer_list>
#include <optional>

namespace {

constexpr std::u16string_view Blanks = u" \t";
constexpr std::u16string_view LineBreaks = u"\r\n";

std::u16string_view Trim(std::u16string_view AText)
{
    const std::size_t First = AText.find_first_not_of(Blanks);
    if (First == std::u16string_view::npos)
        return AText.substr(AText.size());
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

enum class TIniLineKind
{
    lkOther,
    lkSection,
    lkEntry,
};

// One line as both the reader and the writer see it. Name and Value are
// trimmed views into the line, with case and quotes as written.
struct TIniLine
{
    TIniLineKind Kind = TIniLineKind::lkOther;
    std::u16string_view Name;
    std::u16string_view Value;
};

TIniLine ParseLine(std::u16string_view ALine)
{
    const std::u16string_view Line = Trim(ALine);
    if (Line.starts_with(u'[')) {
        const std::u16string_view Name = Line.substr(1);
        return {TIniLineKind::lkSection, Trim(Name.substr(0, Name.find(u']'))), {}};
    }
    const std::size_t Equals = Line.find(u'=');
    if (Line.starts_with(u';') || Equals == std::u16string_view::npos)
        return {};
    return {TIniLineKind::lkEntry, Trim(Line.substr(0, Equals)), Trim(Line.substr(Equals + 1))};
}

// A line's text is [Begin, End); its line break, if any, runs up to Next.
struct TLineSpan
{
    std::size_t Begin;
    std::size_t End;
    std::size_t Next;
};

// A text that ends with a line break yields one more, empty, line: harmless.
std::vector<TLineSpan> SplitLines(std::u16string_view AText)
{
    std::vector<TLineSpan> Lines;
    for (std::size_t Start = 0; Start <= AText.size();) {
        const std::size_t End = std::min(AText.find_first_of(LineBreaks, Start), AText.size());
        const std::size_t Next = End + (AText.substr(End).starts_with(u"\r\n") ? 2 : 1);
        Lines.push_back({Start, End, std::min(Next, AText.size())});
        Start = Next;
    }
    return Lines;
}

} // namespace

TIniFile::TIniFile(std::u16string_view AText)
{
    // The folded name of the section the lines stand in, if any.
    std::optional<std::u16string> Section;
    for (const TLineSpan& Span : SplitLines(AText)) {
        const TIniLine Line = ParseLine(AText.substr(Span.Begin, Span.End - Span.Begin));
        if (Line.Kind == TIniLineKind::lkSection)
            Section = FoldCase(Line.Name);
        else if (Line.Kind == TIniLineKind::lkEntry && Section)
            FEntries.push_back(
                {*Section, FoldCase(Line.Name), std::u16string(Unquote(Line.Value))});
    }
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

namespace {

// The writer works on the file's code units, which map one to one onto its
// bytes: bytes widened, or UTF-16 units. Line breaks are found the same way
// in every encoding, and every unit outside the changed line goes back as it
// came. A stray odd byte at the end of a UTF-16 file is no text and is lost.
std::u16string ToUnits(std::string_view ABytes, TTextEncoding AEncoding)
{
    if (AEncoding == TTextEncoding::teUtf16Le)
        return DecodeTextAs(ABytes, AEncoding);
    std::u16string Units;
    Units.reserve(ABytes.size());
    for (const char B : ABytes)
        Units.push_back(static_cast<unsigned char>(B));
    return Units;
}

std::string FromUnits(std::u16string_view AUnits, TTextEncoding AEncoding)
{
    if (AEncoding == TTextEncoding::teUtf16Le)
        return EncodeTextAs(AUnits, AEncoding);
    std::string Bytes;
    Bytes.reserve(AUnits.size());
    for (const char16_t U : AUnits)
        Bytes.push_back(static_cast<char>(U));
    return Bytes;
}

std::u16string DecodeUnits(std::u16string_view AUnits, TTextEncoding AEncoding)
{
    return DecodeTextAs(FromUnits(AUnits, AEncoding), AEncoding);
}

std::u16string EncodeUnits(std::u16string_view AText, TTextEncoding AEncoding)
{
    return ToUnits(EncodeTextAs(AText, AEncoding), AEncoding);
}

// The first line break of the file is the one new lines take.
std::u16string_view LineEndOf(std::u16string_view AUnits)
{
    const std::size_t Break = AUnits.find_first_of(LineBreaks);
    if (Break == std::u16string_view::npos)
        return u"\n";
    return AUnits.substr(Break, AUnits.substr(Break).starts_with(u"\r\n") ? 2 : 1);
}

// Where an entry goes: the line that the reader takes it from, else after
// the last entry (or the header) of the first section of its name.
struct TEntryPlace
{
    std::optional<TLineSpan> Entry;
    std::optional<TLineSpan> SectionEnd;
};

TEntryPlace FindEntry(std::u16string_view AUnits, TTextEncoding AEncoding,
                      std::u16string_view ASection, std::u16string_view AKey)
{
    const std::u16string Section = FoldCase(ASection);
    const std::u16string Key = FoldCase(AKey);
    TEntryPlace Place;
    bool InSection = false;
    bool InFirstSection = false;
    for (const TLineSpan& Span : SplitLines(AUnits)) {
        const std::u16string Text =
            DecodeUnits(AUnits.substr(Span.Begin, Span.End - Span.Begin), AEncoding);
        const TIniLine Line = ParseLine(Text);
        if (Line.Kind == TIniLineKind::lkSection) {
            InSection = FoldCase(Line.Name) == Section;
            InFirstSection = InSection && !Place.SectionEnd;
        } else if (Line.Kind == TIniLineKind::lkEntry && InSection && FoldCase(Line.Name) == Key) {
            Place.Entry = Span;
            return Place;
        }
        if (InFirstSection && Line.Kind != TIniLineKind::lkOther)
            Place.SectionEnd = Span;
    }
    return Place;
}

void ReplaceValue(std::u16string& AUnits, TTextEncoding AEncoding, const TLineSpan& ALine,
                  std::u16string_view AValue)
{
    std::u16string Text = DecodeUnits(
        std::u16string_view(AUnits).substr(ALine.Begin, ALine.End - ALine.Begin), AEncoding);
    const std::u16string_view Value = ParseLine(Text).Value;
    Text.replace(static_cast<std::size_t>(Value.data() - Text.data()), Value.size(), AValue);
    AUnits.replace(ALine.Begin, ALine.End - ALine.Begin, EncodeUnits(Text, AEncoding));
}

// Inserts the given lines at APosition, each ended with the file's line
// break; the line before gets one first when it has none.
void InsertLines(std::u16string& AUnits, TTextEncoding AEncoding, std::size_t APosition,
                 std::initializer_list<std::u16string> ALines)
{
    const std::u16string LineEnd(LineEndOf(AUnits));
    std::u16string Inserted;
    if (APosition > 0 && LineBreaks.find(AUnits[APosition - 1]) == std::u16string_view::npos)
        Inserted = LineEnd;
    for (const std::u16string& Line : ALines)
        Inserted += EncodeUnits(Line, AEncoding) + LineEnd;
    AUnits.insert(APosition, Inserted);
}

} // namespace

std::string WriteIniString(std::string_view ABytes, std::u16string_view ASection,
                           std::u16string_view AKey, std::u16string_view AValue)
{
    const TTextEncoding Encoding = DetectTextEncoding(ABytes);
    const std::string_view Mark = ByteOrderMark(Encoding);
    std::u16string Units = ToUnits(ABytes.substr(Mark.size()), Encoding);
    const TEntryPlace Place = FindEntry(Units, Encoding, ASection, AKey);
    const std::u16string Entry = std::u16string(AKey) + u'=' + std::u16string(AValue);
    if (Place.Entry)
        ReplaceValue(Units, Encoding, *Place.Entry, AValue);
    else if (Place.SectionEnd)
        InsertLines(Units, Encoding, Place.SectionEnd->Next, {Entry});
    else
        InsertLines(Units, Encoding, Units.size(), {u'[' + std::u16string(ASection) + u']', Entry});
    return std::string(Mark) + FromUnits(Units, Encoding);
}
