// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config.h"

#include <QColor>

// A stored colour (0x00BBGGRR, or a system colour when the top byte is
// 0xFF) as Qt paints it; system colours come from the application palette.
QColor ToQColor(TColor AColor);
// The stored form of a colour picked in Qt.
TColor FromQColor(const QColor& AColor);
