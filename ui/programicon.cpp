// SPDX-License-Identifier: GPL-3.0-or-later
#include "programicon.h"

// Q_INIT_RESOURCE must not sit inside a namespace; the library is static,
// so nothing would pull the icon in otherwise.
static void InitResources()
{
    static bool Done = false;
    if (!Done) {
        Q_INIT_RESOURCE(resources);
        Done = true;
    }
}

QIcon ProgramIcon()
{
    InitResources();
    return QIcon(QStringLiteral(":/icons/verbanto.svg"));
}
