// SPDX-License-Identifier: GPL-3.0-or-later
#include "converter.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <iconv.h>
#include <locale.h>

namespace {

constexpr std::size_t OutputBytesPerUnit = 8;
const iconv_t InvalidDescriptor = reinterpret_cast<iconv_t>(-1);

bool IsSurrogate(char16_t C)
{
    return C >= 0xD800 && C <= 0xDFFF;
}

// glibc transliterates by the calling thread's LC_CTYPE: under "C" an
// accented letter turns into '?'. Tallies must not depend on the user's
// locale, so every conversion runs under C.UTF-8.
class TLocaleScope
{
public:
    explicit TLocaleScope(void* ALocale)
        : FPrevious(ALocale ? uselocale(static_cast<locale_t>(ALocale)) : nullptr)
    {}
    ~TLocaleScope()
    {
        if (FPrevious)
            uselocale(FPrevious);
    }
    TLocaleScope(const TLocaleScope&) = delete;
    TLocaleScope& operator=(const TLocaleScope&) = delete;

private:
    locale_t FPrevious;
};

} // namespace

TConverter& TConverter::Instance()
{
    thread_local TConverter Converter;
    return Converter;
}

TConverter::TConverter() : FDescriptor(nullptr), FLocale(nullptr)
{
    locale_t Locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    if (Locale)
        FLocale = Locale;
    else
        std::fputs("verbanto: locale C.UTF-8 is not available; accented letters "
                   "are folded by the current locale\n",
                   stderr);
    iconv_t Descriptor = iconv_open("ASCII//TRANSLIT//IGNORE", "UCS-2LE");
    if (Descriptor != InvalidDescriptor)
        FDescriptor = Descriptor;
    else
        std::fputs("verbanto: no UCS-2LE to ASCII converter; only plain letters "
                   "A to Z are counted\n",
                   stderr);
}

TConverter::~TConverter()
{
    if (FDescriptor)
        iconv_close(static_cast<iconv_t>(FDescriptor));
    if (FLocale)
        freelocale(static_cast<locale_t>(FLocale));
}

void TConverter::Reserve(std::size_t AUnits)
{
    if (AUnits <= FCapacity)
        return;
    FInput = std::make_unique_for_overwrite<char16_t[]>(AUnits);
    FOutput = std::make_unique_for_overwrite<char[]>(AUnits * OutputBytesPerUnit);
    FCapacity = AUnits;
}

bool TConverter::Convert(std::u16string_view AText, std::string_view& Out)
{
    // Nothing in, nothing out; the buffers may not even exist yet.
    if (AText.empty()) {
        Out = {};
        return true;
    }
    Reserve(AText.size());
    if (!FDescriptor) {
        Out = std::string_view(FOutput.get(), ConvertAsciiOnly(AText));
        return true;
    }
    // A surrogate never yields a letter, yet glibc reports the whole
    // conversion as failed when it meets one; leave them out, in a copy
    // only when there are any.
    if (std::none_of(AText.begin(), AText.end(), IsSurrogate))
        return Run(AText.data(), AText.size(), AText.size() * OutputBytesPerUnit, Out);
    std::size_t Units = 0;
    for (char16_t C : AText)
        if (!IsSurrogate(C))
            FInput[Units++] = C;
    return Run(FInput.get(), Units, AText.size() * OutputBytesPerUnit, Out);
}

bool TConverter::ConvertCounting(std::u16string_view AText, std::array<int32_t, 128>& ABytes,
                                 std::string_view& Out)
{
    Out = {};
    if (AText.empty())
        return true;
    Reserve(AText.size());
    std::size_t Units = 0;
    std::size_t Ascii = 0;
    for (char16_t C : AText) {
        if (C < 0x80) {
            ++ABytes[C];
            ++Ascii;
        } else if (!IsSurrogate(C)) {
            FInput[Units++] = C;
        }
    }
    // Without a converter only ASCII counts. The ASCII units take one byte
    // each of the output space that the whole text would have had.
    return Units == 0 || !FDescriptor ||
           Run(FInput.get(), Units, AText.size() * OutputBytesPerUnit - Ascii, Out);
}

// The input is UCS-2LE, which is how this little-endian host holds char16_t.
bool TConverter::Run(const char16_t* AInput, std::size_t AUnits, std::size_t AOutputSpace,
                     std::string_view& Out)
{
    static_assert(std::endian::native == std::endian::little);
    // iconv only reads its input, whatever its signature says.
    char* InPtr = const_cast<char*>(reinterpret_cast<const char*>(AInput));
    std::size_t InLeft = AUnits * sizeof(char16_t);
    char* OutPtr = FOutput.get();
    std::size_t OutLeft = AOutputSpace;
    std::size_t Result;
    {
        TLocaleScope Pinned(FLocale);
        Result = iconv(static_cast<iconv_t>(FDescriptor), &InPtr, &InLeft, &OutPtr, &OutLeft);
    }
    if (Result == static_cast<std::size_t>(-1)) {
        Out = {};
        return false;
    }
    Out = std::string_view(FOutput.get(), static_cast<std::size_t>(OutPtr - FOutput.get()));
    return true;
}

// Without a converter, plain ASCII still counts.
std::size_t TConverter::ConvertAsciiOnly(std::u16string_view AText)
{
    std::size_t Length = 0;
    for (char16_t C : AText)
        if (C < 0x80)
            FOutput[Length++] = static_cast<char>(C);
    return Length;
}
