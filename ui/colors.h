// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config.h"
#include "letters.h"
#include "qcolor.h"

// The tab colour of an attempt's status, as stored colours.
inline constexpr TColor ButtonFaceColor = static_cast<TColor>(0xFF00000F);
TColor StatusColor(TAnagramStatus AStatus);
