// SPDX-License-Identifier: GPL-3.0-or-later
#include "anagramengine.h"
#include "benchtext.h"

#include <benchmark/benchmark.h>

namespace {

constexpr std::size_t TextLength = 1000;

void BM_NormalizeAscii(benchmark::State& State)
{
    for (auto _ : State)
        benchmark::DoNotOptimize(TAnagramEngine::Normalize(std::u16string_view(AsciiText())));
    State.SetItemsProcessed(State.iterations() * TextLength);
}
BENCHMARK(BM_NormalizeAscii);

void BM_NormalizeItalian(benchmark::State& State)
{
    for (auto _ : State)
        benchmark::DoNotOptimize(TAnagramEngine::Normalize(std::u16string_view(ItalianText())));
    State.SetItemsProcessed(State.iterations() * TextLength);
}
BENCHMARK(BM_NormalizeItalian);

// The floor: counting ASCII letters with no converter at all.
void BM_CountAsciiLettersFloor(benchmark::State& State)
{
    for (auto _ : State) {
        TLetters Letters;
        for (char16_t C : AsciiText()) {
            const char16_t L = TAnagramEngine::Filter(C);
            if (L != 0)
                ++Letters[L];
        }
        benchmark::DoNotOptimize(Letters);
    }
    State.SetItemsProcessed(State.iterations() * TextLength);
}
BENCHMARK(BM_CountAsciiLettersFloor);

void BM_Recalculate(benchmark::State& State)
{
    TAnagramEngine Engine;
    Engine.SetSentence(ItalianText());
    Engine.SetCurrentAnagramString(AsciiText());
    for (auto _ : State)
        Engine.CurrentAnagram().Recalculate();
}
BENCHMARK(BM_Recalculate);

// A keystroke in the sentence box with a large document open.
void BM_SetSentenceWith100Attempts(benchmark::State& State)
{
    TAnagramEngine Engine;
    for (int I = 1; I < 100; ++I)
        Engine.AddAnagram();
    for (int I = 0; I < 100; ++I)
        Engine.GetAnagram(I).SetAnagram(ItalianText());
    for (auto _ : State)
        Engine.SetSentence(AsciiText());
}
BENCHMARK(BM_SetSentenceWith100Attempts)->Unit(benchmark::kMillisecond);

} // namespace
