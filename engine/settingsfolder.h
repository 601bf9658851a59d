// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Where the program keeps its settings and the personal word list:
// $XDG_CONFIG_HOME, or else $HOME/.config, when absolute, then ".verbanto".
// Empty when neither gives a place. Nothing is created.
std::string SettingsFolderPath();
