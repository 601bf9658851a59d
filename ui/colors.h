// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config.h"
#include "letters.h"

#include <QColor>

// The tab colour of an attempt's status, as stored colours.
inline constexpr TColor ButtonFaceColor = static_cast<TColor>(0xFF00000F);
TColor StatusColor(TAnagramStatus AStatus);

// A stored colour (0x00BBGGRR, or a system colour when the top byte is
// 0xFF) as Qt paints it; system colours come from the application palette.
QColor ToQColor(TColor AColor);
// The stored form of a colour picked in Qt.
TColor FromQColor(const QColor& AColor);
