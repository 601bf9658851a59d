// SPDX-License-Identifier: GPL-3.0-or-later
#include "settingsfolder.h"

#include <cstdlib>

std::string SettingsFolderPath()
{
    const char* Config = std::getenv("XDG_CONFIG_HOME");
    std::string Base = Config && Config[0] == '/' ? Config : "";
    if (Base.empty()) {
        const char* Home = std::getenv("HOME");
        if (!Home || Home[0] != '/')
            return {};
        Base = std::string(Home) + "/.config";
    }
    return Base + "/.verbanto";
}
