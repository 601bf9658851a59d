// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

struct TProgramResult
{
    int ExitStatus; // -1 when the child did not exit normally
    std::string Errors;
};

// Runs ABody in a child process and waits for it; its return value is the
// child's exit status. The child's standard error is kept, its standard
// output dropped.
TProgramResult RunInChild(const std::function<int()>& ABody);

// Runs AArgv (the program is looked up in PATH) as RunInChild does.
TProgramResult RunProgram(const std::vector<std::string>& AArgv);

// Starts AArgv with both outputs dropped; the caller waits for it.
pid_t StartProgram(const std::vector<std::string>& AArgv);

constexpr uid_t OrdinaryUid = 65534;
constexpr gid_t OrdinaryGid = 65534;

// Whether AProgram can run as an ordinary user: we are root, have setpriv,
// and the user may reach and run it.
bool CanRunAsOrdinaryUser(const std::string& AProgram);

// AArgv run as uid and gid OrdinaryUid and OrdinaryGid with AGroups as
// its only supplementary groups.
std::vector<std::string> AsOrdinaryUser(const std::vector<std::string>& AArgv,
                                        const std::vector<gid_t>& AGroups = {});

// Makes the calling process the same ordinary user, for good; meant for a
// child of RunInChild.
bool BecomeOrdinaryUser(const std::vector<gid_t>& AGroups = {});
