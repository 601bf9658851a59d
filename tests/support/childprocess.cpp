// SPDX-License-Identifier: GPL-3.0-or-later
#include "childprocess.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

[[noreturn]] void Exec(const std::vector<std::string>& AArgv, int AErrorFd)
{
    const int Null = ::open("/dev/null", O_RDWR);
    ::dup2(Null, STDIN_FILENO);
    ::dup2(Null, STDOUT_FILENO);
    ::dup2(AErrorFd < 0 ? Null : AErrorFd, STDERR_FILENO);
    std::vector<char*> Argv;
    for (const std::string& Arg : AArgv)
        Argv.push_back(const_cast<char*>(Arg.c_str()));
    Argv.push_back(nullptr);
    ::execvp(Argv[0], Argv.data());
    ::_exit(127);
}

} // namespace

TProgramResult RunProgram(const std::vector<std::string>& AArgv)
{
    int Pipe[2];
    if (::pipe2(Pipe, O_CLOEXEC) != 0)
        return {-1, "cannot create a pipe"};
    const pid_t Pid = ::fork();
    if (Pid == 0)
        Exec(AArgv, Pipe[1]);
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

pid_t StartProgram(const std::vector<std::string>& AArgv)
{
    const pid_t Pid = ::fork();
    if (Pid == 0)
        Exec(AArgv, -1);
    return Pid;
}

bool CanRunAsOrdinaryUser()
{
    return ::geteuid() == 0 && RunProgram({"setpriv", "--version"}).ExitStatus == 0;
}

std::vector<std::string> AsOrdinaryUser(const std::vector<std::string>& AArgv,
                                        const std::string& AGroups)
{
    std::vector<std::string> Argv = {"setpriv", "--reuid=" + std::to_string(OrdinaryUid),
                                     "--regid=" + std::to_string(OrdinaryGid)};
    Argv.push_back(AGroups.empty() ? "--clear-groups" : "--groups=" + AGroups);
    Argv.insert(Argv.end(), AArgv.begin(), AArgv.end());
    return Argv;
}
