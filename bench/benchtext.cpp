// SPDX-License-Identifier: GPL-3.0-or-later
#include "benchtext.h"

#include <string_view>

namespace {

constexpr std::size_t TextLength = 1000;

std::u16string Repeated(std::u16string_view APiece)
{
    std::u16string Text;
    while (Text.size() < TextLength)
        Text += APiece;
    Text.resize(TextLength);
    return Text;
}

} // namespace

const std::u16string& AsciiText()
{
    static const std::u16string Text = Repeated(u"Nel mezzo del cammin di nostra vita, ");
    return Text;
}

const std::u16string& ItalianText()
{
    static const std::u16string Text =
        Repeated(u"Perch\u00E9 citt\u00E0 pi\u00F9 virt\u00F9 cos\u00EC \u00C8 ");
    return Text;
}

const std::u16string& MixedText()
{
    static const std::u16string Text =
        Repeated(u"mi ritrovai per una selva oscura, ch\u00E9 la diritta via era smarrita. ");
    return Text;
}
