// SPDX-License-Identifier: GPL-3.0-or-later
#include "converter.h"

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
    {
    }
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
    static TConverter Converter;
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

bool TConverter::Convert(std::u16string_view AText, std::string& Out)
{
    Out.assign(AText.size() * OutputBytesPerUnit, '\0');
    if (!FDescriptor)
        return ConvertAsciiOnly(AText, Out);

    // A surrogate never yields a letter, yet glibc reports the whole
    // conversion as failed when it meets one; leave them out.
    FInput.clear();
    FInput.reserve(AText.size() * 2);
    for (char16_t C : AText) {
        if (IsSurrogate(C))
            continue;
        FInput.push_back(static_cast<char>(C & 0xFF));
        FInput.push_back(static_cast<char>(C >> 8));
    }

    char* InPtr = FInput.data();
    std::size_t InLeft = FInput.size();
    char* OutPtr = Out.data();
    std::size_t OutLeft = Out.size();
    std::size_t Result;
    {
        TLocaleScope Pinned(FLocale);
        Result = iconv(static_cast<iconv_t>(FDescriptor), &InPtr, &InLeft, &OutPtr, &OutLeft);
    }
    if (Result == static_cast<std::size_t>(-1)) {
        Out.clear();
        return false;
    }
    Out.resize(Out.size() - OutLeft);
    return true;
}

// Without a converter, plain ASCII still counts.
bool TConverter::ConvertAsciiOnly(std::u16string_view AText, std::string& Out) const
{
    Out.clear();
    for (char16_t C : AText)
        if (C < 0x80)
            Out.push_back(static_cast<char>(C));
    return true;
}
