// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

struct TProgramResult
{
    int ExitStatus; // -1 when the program did not exit normally
    std::string Errors;
};

// Runs AArgv (the program is looked up in PATH) and waits for it; its
// standard error is kept, its standard output dropped.
TProgramResult RunProgram(const std::vector<std::string>& AArgv);

// Starts AArgv with both outputs dropped; the caller waits for it.
pid_t StartProgram(const std::vector<std::string>& AArgv);

// Whether programs can be run as an ordinary user: we are root and have
// setpriv.
bool CanRunAsOrdinaryUser();

// AArgv run as uid and gid 65534 with AGroups ("4242,4243") as its only
// supplementary groups, or none.
std::vector<std::string> AsOrdinaryUser(const std::vector<std::string>& AArgv,
                                        const std::string& AGroups = "");

constexpr uid_t OrdinaryUid = 65534;
constexpr gid_t OrdinaryGid = 65534;
