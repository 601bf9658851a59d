// SPDX-License-Identifier: GPL-3.0-or-later
#include "colors.h"

TColor StatusColor(TAnagramStatus AStatus)
{
    switch (AStatus) {
    case TAnagramStatus::asIncomplete:
        return 0x0000FFFF; // yellow
    case TAnagramStatus::asComplete:
        return 0x0000FF00; // lime
    case TAnagramStatus::asExcess:
        return 0x000000FF; // red
    case TAnagramStatus::asEmpty:
        break;
    }
    return ButtonFaceColor;
}
