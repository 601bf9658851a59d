// SPDX-License-Identifier: GPL-3.0-or-later
#include "anagramengine.h"
#include "benchtext.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// Saving without the final syncs, to tell the cost of the disk apart.
class TNoSyncOps : public TFileOps
{
public:
    int Sync(int) override { return 0; }
};

std::string BenchFolder()
{
    static const std::string Folder = [] {
        std::string Template =
            (std::filesystem::temp_directory_path() / "verbanto-bench-XXXXXX").string();
        if (!mkdtemp(Template.data()))
            std::abort();
        return Template;
    }();
    return Folder;
}

// A 1,000-character sentence and AAttempts attempts of 1,000 characters.
void MakeDocument(TAnagramEngine& AEngine, int AAttempts)
{
    AEngine.SetSentence(ItalianText());
    for (int I = 1; I < AAttempts; ++I)
        AEngine.AddAnagram();
    for (int I = 0; I < AAttempts; ++I)
        AEngine.GetAnagram(I).SetAnagram(MixedText());
}

std::string SavedDocument(int AAttempts)
{
    const std::string Path = BenchFolder() + "/doc-" + std::to_string(AAttempts) + ".vbf";
    if (!std::filesystem::exists(Path)) {
        TAnagramEngine Engine;
        MakeDocument(Engine, AAttempts);
        Engine.Save(Path);
    }
    return Path;
}

void BM_Load(benchmark::State& State)
{
    const std::string Path = SavedDocument(static_cast<int>(State.range(0)));
    TAnagramEngine Engine;
    for (auto _ : State)
        Engine.Load(Path);
    State.SetComplexityN(State.range(0));
}
BENCHMARK(BM_Load)
    ->RangeMultiplier(2)
    ->Range(1250, 10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

void BM_SaveWithoutSync(benchmark::State& State)
{
    TAnagramEngine Engine;
    MakeDocument(Engine, static_cast<int>(State.range(0)));
    TNoSyncOps Ops;
    const std::string Path = BenchFolder() + "/save.vbf";
    for (auto _ : State)
        Engine.Save(Path, Ops);
    State.SetComplexityN(State.range(0));
}
BENCHMARK(BM_SaveWithoutSync)
    ->RangeMultiplier(2)
    ->Range(1250, 10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// The fixed cost of a save: the system calls around the write.
void BM_SaveSmallWithoutSync(benchmark::State& State)
{
    TAnagramEngine Engine;
    Engine.SetSentence(u"Roma");
    TNoSyncOps Ops;
    const std::string Path = BenchFolder() + "/small.vbf";
    for (auto _ : State)
        Engine.Save(Path, Ops);
}
BENCHMARK(BM_SaveSmallWithoutSync)->Unit(benchmark::kMicrosecond);

void BM_SaveWithSync(benchmark::State& State)
{
    TAnagramEngine Engine;
    MakeDocument(Engine, static_cast<int>(State.range(0)));
    const std::string Path = BenchFolder() + "/save.vbf";
    for (auto _ : State)
        Engine.Save(Path);
}
BENCHMARK(BM_SaveWithSync)->Arg(10000)->Unit(benchmark::kMillisecond);

int RunProgram(std::vector<std::string> AArgs)
{
    std::vector<char*> Argv;
    for (std::string& Arg : AArgs)
        Argv.push_back(Arg.data());
    Argv.push_back(nullptr);
    pid_t Child;
    if (posix_spawn(&Child, Argv[0], nullptr, nullptr, Argv.data(), environ) != 0)
        return -1;
    int Status;
    if (waitpid(Child, &Status, 0) != Child)
        return -1;
    return WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
}

// The 20 MB document opened and saved by the program, start to exit. Compare
// with BM_CopyAndSyncFloor of the same run.
void BM_ConvertProcess(benchmark::State& State)
{
    const std::string In = SavedDocument(10000);
    const std::string Out = BenchFolder() + "/converted.vbf";
    for (auto _ : State)
        if (RunProgram({VERBANTO_CLI, "convert", In, Out}) != 0)
            State.SkipWithError("verbanto-cli convert failed");
    State.SetBytesProcessed(State.iterations() *
                            static_cast<int64_t>(std::filesystem::file_size(In)));
}
BENCHMARK(BM_ConvertProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

// The least any save of those bytes costs: read them, write them to a new
// file and sync it, in 128 KiB pieces as a copying tool does.
void BM_CopyAndSyncFloor(benchmark::State& State)
{
    const std::string In = SavedDocument(10000);
    const std::string Out = BenchFolder() + "/copied.vbf";
    std::vector<char> Buffer(128 * 1024);
    for (auto _ : State) {
        ::unlink(Out.c_str());
        const int From = ::open(In.c_str(), O_RDONLY | O_CLOEXEC);
        const int To = ::open(Out.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        bool Ok = From >= 0 && To >= 0;
        for (ssize_t Read; Ok && (Read = ::read(From, Buffer.data(), Buffer.size())) > 0;)
            Ok = ::write(To, Buffer.data(), static_cast<std::size_t>(Read)) == Read;
        Ok = Ok && ::fsync(To) == 0;
        ::close(From);
        ::close(To);
        if (!Ok)
            State.SkipWithError("copying failed");
    }
    State.SetBytesProcessed(State.iterations() *
                            static_cast<int64_t>(std::filesystem::file_size(In)));
}
BENCHMARK(BM_CopyAndSyncFloor)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
