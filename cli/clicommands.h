// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

inline constexpr int ExitSuccess = 0;
inline constexpr int ExitFileError = 1;
inline constexpr int ExitUsage = 2;

// Runs verbanto-cli with its arguments (the program name left out) and
// returns the exit code. In is read only by words --each-line.
int RunCli(const std::vector<std::string>& AArgs, std::istream& In, std::ostream& Out,
           std::ostream& Err);
