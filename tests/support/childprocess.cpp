// SPDX-License-Identifier: GPL-3.0-or-later
#include "childprocess.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Standard input and output go to /dev/null, standard error to AErrorFd or
// there as well.
void RedirectOutputs(int AErrorFd)
{
    const int Null = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    ::dup2(Null, STDIN_FILENO);
    ::dup2(Null, STDOUT_FILENO);
    ::dup2(AErrorFd < 0 ? Null : AErrorFd, STDERR_FILENO);
}

int Exec(const std::vector<std::string>& AArgv)
{
    std::vector<char*> Argv;
    for (const std::string& Arg : AArgv)
        Argv.push_back(const_cast<char*>(Arg.c_str()));
    Argv.push_back(nullptr);
    ::execvp(Argv[0], Argv.data());
    return 127;
}

} // namespace

TProgramResult RunInChild(const std::function<int()>& ABody)
{
    int Pipe[2];
    if (::pipe2(Pipe, O_CLOEXEC) != 0)
        return {-1, "cannot create a pipe"};
    const pid_t Pid = ::fork();
    if (Pid == 0) {
        RedirectOutputs(Pipe[1]);
        ::_exit(ABody());
    }
    ::close(Pipe[1]);
    TProgramResult Result{-1, {}};
    char Buffer[4096];
    ssize_t Read;
    while ((Read = ::read(Pipe[0], Buffer, sizeof Buffer)) > 0)
        Result.Errors.append(Buffer, static_cast<std::size_t>(Read));
    ::close(Pipe[0]);
    int Status = 0;
    if (Pid > 0 && ::waitpid(Pid, &Status, 0) == Pid && WIFEXITED(Status))
        Result.ExitStatus = WEXITSTATUS(Status);
    return Result;
}

TProgramResult RunProgram(const std::vector<std::string>& AArgv)
{
    return RunInChild([&AArgv] { return Exec(AArgv); });
}

pid_t StartProgram(const std::vector<std::string>& AArgv)
{
    const pid_t Pid = ::fork();
    if (Pid == 0) {
        RedirectOutputs(-1);
        ::_exit(Exec(AArgv));
    }
    return Pid;
}

bool CanRunAsOrdinaryUser(const std::string& AProgram)
{
    // The build may lie in a folder the ordinary user cannot enter.
    return ::geteuid() == 0 && RunProgram(AsOrdinaryUser({AProgram, "--help"})).ExitStatus == 0;
}

std::vector<std::string> AsOrdinaryUser(const std::vector<std::string>& AArgv,
                                        const std::vector<gid_t>& AGroups)
{
    std::string Groups;
    for (const gid_t Group : AGroups)
        Groups += (Groups.empty() ? "" : ",") + std::to_string(Group);
    std::vector<std::string> Argv = {"setpriv", "--reuid=" + std::to_string(OrdinaryUid),
                                     "--regid=" + std::to_string(OrdinaryGid),
                                     Groups.empty() ? "--clear-groups" : "--groups=" + Groups};
    Argv.insert(Argv.end(), AArgv.begin(), AArgv.end());
    return Argv;
}

bool BecomeOrdinaryUser(const std::vector<gid_t>& AGroups)
{
    return ::setgroups(AGroups.size(), AGroups.data()) == 0 &&
           ::setresgid(OrdinaryGid, OrdinaryGid, OrdinaryGid) == 0 &&
           ::setresuid(OrdinaryUid, OrdinaryUid, OrdinaryUid) == 0;
}
