// SPDX-License-Identifier: GPL-3.0-or-later
#include "documentformat.h"

#include "casefold.h"
#include "fileerror.h"
#include "hugepages.h"
#include "inifile.h"
#include "textencoding.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <unordered_set>

namespace {

static_assert(std::endian::native == std::endian::little,
              "documents hold little-endian integers and UTF-16LE text as they stand in memory");

constexpr unsigned char SignatureByte = 0x13;
constexpr char CurrentLayout = 'b';
constexpr char EarlierLayout = 'J';
constexpr char OrderStored = 0x01;
constexpr std::size_t OrderBytes = LetterCount * sizeof(char16_t);
static_assert(sizeof(TLetterOrder) == OrderBytes && std::is_trivially_copyable_v<TLetterOrder>);

// Walks the bytes of a byte-layout document, refusing to read past the end.
class TByteReader
{
public:
    TByteReader(std::string_view ABytes, const std::string& APath) : FBytes(ABytes), FPath(APath) {}

    bool AtEnd() const { return FPos >= FBytes.size(); }

    char Byte(const char* AWhat)
    {
        Need(1, AWhat);
        return FBytes[FPos++];
    }

    void Copy(void* ATarget, std::size_t ASize, const char* AWhat)
    {
        Need(ASize, AWhat);
        std::memcpy(ATarget, FBytes.data() + FPos, ASize);
        FPos += ASize;
    }

    std::u16string Text(const std::string& AWhat)
    {
        const std::size_t Length = SkipText(AWhat);
        std::u16string Result(Length, u'\0');
        std::memcpy(Result.data(), FBytes.data() + FPos - Length * sizeof(char16_t),
                    Length * sizeof(char16_t));
        return Result;
    }

    // Checks the length of the record at the read position and moves past
    // the record; returns the length in code units.
    std::size_t SkipText(const std::string& AWhat)
    {
        const std::size_t LengthAt = FPos;
        int32_t Length;
        // The message is only put together for a file that fails.
        if (sizeof Length > FBytes.size() - FPos)
            Fail("the file ends inside the length of " + AWhat, FPos);
        std::memcpy(&Length, FBytes.data() + FPos, sizeof Length);
        FPos += sizeof Length;
        if (Length < 0)
            Fail("the length of " + AWhat + " is negative (" + std::to_string(Length) + ")",
                 LengthAt);
        const std::size_t Size = static_cast<std::size_t>(Length) * sizeof(char16_t);
        if (Size > FBytes.size() - FPos)
            Fail("the length of " + AWhat + " (" + std::to_string(Length) +
                     " code units) runs past the end of the file (" +
                     std::to_string(FBytes.size()) + " bytes)",
                 LengthAt);
        FPos += Size;
        return static_cast<std::size_t>(Length);
    }

private:
    void Need(std::size_t ASize, const std::string& AWhat) const
    {
        if (ASize > FBytes.size() - FPos)
            Fail("the file ends inside " + AWhat, FPos);
    }

    [[noreturn]] void Fail(const std::string& AProblem, std::size_t AOffset) const
    {
        throw EDocumentError(FPath, AProblem + " at byte offset " + std::to_string(AOffset));
    }

    std::string_view FBytes;
    const std::string& FPath;
    std::size_t FPos = 0;
};

std::string AttemptName(std::size_t ANumber)
{
    return "attempt " + std::to_string(ANumber);
}

TLetterOrder ReadOrder(TByteReader& AReader)
{
    TLetterOrder Order;
    AReader.Copy(&Order, OrderBytes, "the letter order");
    // The order only decides how letters are listed: a damaged one is not
    // worth losing the attempts over.
    return Order.IsPermutation() ? Order : TLetterOrder();
}

void AppendBytes(std::string& AOut, const void* AData, std::size_t ASize)
{
    AOut.append(static_cast<const char*>(AData), ASize);
}

void AppendText(std::string& AOut, std::u16string_view AText)
{
    const auto Length = static_cast<int32_t>(AText.size());
    AppendBytes(AOut, &Length, sizeof Length);
    AppendBytes(AOut, AText.data(), AText.size() * sizeof(char16_t));
}

} // namespace

bool IsByteLayout(std::string_view ABytes)
{
    return ABytes.size() >= 2 && static_cast<unsigned char>(ABytes[0]) == SignatureByte &&
           (ABytes[1] == CurrentLayout || ABytes[1] == EarlierLayout);
}

TDocument ParseByteLayout(std::string_view ABytes, const std::string& APath)
{
    TByteReader Reader(ABytes, APath);
    TDocument Document;
    Reader.Byte("the signature");
    const char Flag =
        Reader.Byte("the signature") == CurrentLayout ? Reader.Byte("the order flag") : 0;
    Document.Order = static_cast<signed char>(Flag) > 0 ? ReadOrder(Reader) : TLetterOrder();
    Document.Sentence = Reader.Text("the sentence");
    // A first pass over the records checks them all and sizes the list, so
    // that the texts are copied once into a list that never grows.
    TByteReader Counter = Reader;
    std::size_t Count = 0;
    while (!Counter.AtEnd())
        Counter.SkipText(AttemptName(++Count));
    Document.Attempts.reserve(Count);
    while (Document.Attempts.size() < Count)
        Document.Attempts.push_back(Reader.Text(AttemptName(Document.Attempts.size() + 1)));
    if (Document.Attempts.empty())
        Document.Attempts.emplace_back();
    return Document;
}

TDocument ParseLegacyLayout(std::string_view ABytes)
{
    const TIniFile Ini(DecodeText(ABytes));
    TDocument Document;
    Document.Sentence = Ini.ReadString(u"MAIN", u"frase", u"");
    std::unordered_set<std::u16string> Seen;
    for (std::u16string& Value : Ini.ReadSectionValues(u"COMPLETI"))
        if (Seen.insert(FoldCase(Value)).second)
            Document.Attempts.push_back(std::move(Value));
    std::u16string Current = Ini.ReadString(u"MAIN", u"anagramma", u"");
    if (!Current.empty() && !Seen.contains(FoldCase(Current)))
        Document.Attempts.insert(Document.Attempts.begin(), std::move(Current));
    if (Document.Attempts.empty())
        Document.Attempts.emplace_back();
    return Document;
}

std::string SerializeByteLayout(const TLetterOrder& AOrder, std::u16string_view ASentence,
                                const std::vector<std::u16string_view>& AAttempts)
{
    std::size_t Size = 3 + OrderBytes + sizeof(int32_t) + ASentence.size() * sizeof(char16_t);
    for (std::u16string_view Attempt : AAttempts)
        Size += sizeof(int32_t) + Attempt.size() * sizeof(char16_t);
    std::string Out;
    Out.reserve(Size);
    AdviseHugePages(Out.data(), Size);
    Out.push_back(static_cast<char>(SignatureByte));
    Out.push_back(CurrentLayout);
    Out.push_back(OrderStored);
    AppendBytes(Out, &AOrder, OrderBytes);
    AppendText(Out, ASentence);
    for (std::u16string_view Attempt : AAttempts)
        AppendText(Out, Attempt);
    return Out;
}
