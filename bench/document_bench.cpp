// SPDX-License-Identifier: GPL-3.0-or-later
#include "anagramengine.h"
#include "benchtext.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>

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

} // namespace
