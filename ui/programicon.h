// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

// The program's icon, embedded in the program: the same picture the
// desktop files install. Null when Qt has no SVG support.
QIcon ProgramIcon();
