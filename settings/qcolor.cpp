// SPDX-License-Identifier: GPL-3.0-or-later
#include "qcolor.h"

#include <QApplication>
#include <QPalette>

namespace {

constexpr uint32_t SystemColorFlag = 0xFF000000u;

// The few system colours a stored setting can name, by their index.
QPalette::ColorRole SystemRole(uint32_t AIndex)
{
    switch (AIndex) {
    case 5: // window background
        return QPalette::Base;
    case 13: // highlight
        return QPalette::Highlight;
    case 14: // highlighted text
        return QPalette::HighlightedText;
    case 15: // button face
        return QPalette::Button;
    case 18: // button text
        return QPalette::ButtonText;
    default:
        return QPalette::WindowText;
    }
}

} // namespace

QColor ToQColor(TColor AColor)
{
    const auto Bits = static_cast<uint32_t>(AColor);
    if ((Bits & SystemColorFlag) == SystemColorFlag)
        return QApplication::palette().color(SystemRole(Bits & 0xFFu));
    return QColor(static_cast<int>(Bits & 0xFF), static_cast<int>((Bits >> 8) & 0xFF),
                  static_cast<int>((Bits >> 16) & 0xFF));
}

TColor FromQColor(const QColor& AColor)
{
    return static_cast<TColor>(static_cast<uint32_t>(AColor.red()) |
                               (static_cast<uint32_t>(AColor.green()) << 8) |
                               (static_cast<uint32_t>(AColor.blue()) << 16));
}
