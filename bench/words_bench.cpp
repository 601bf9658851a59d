// SPDX-License-Identifier: GPL-3.0-or-later
// Words that fit: the Italian list read and indexed, the words of a
// remainder found and ranked at every keystroke, and one `an -w` on the same
// sentences for comparison.
#include "anagramengine.h"
#include "lexicon.h"
#include "tally.h"
#include "wordlist.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

const char* const AnPath = "/usr/games/an";

// Sentences of 20, 35 and 50 letters.
const std::u16string& Sentence(int64_t ALetters)
{
    static const std::u16string S20 = u"Chi dorme non piglia mai";
    static const std::u16string S35 = u"Chi trova un amico sincero trova un tesoro";
    static const std::u16string S50 =
        u"Tra il dire e il fare c'è di mezzo il mare e la pazienza di chi ama";
    return ALetters <= 20 ? S20 : ALetters <= 35 ? S35 : S50;
}

bool HaveItalianList()
{
    return std::filesystem::exists(SystemWordListPath);
}

const TLexicon& ItalianLexicon()
{
    static const TLexicon Lexicon(DefaultWordList(SystemWordListPath, "").Words());
    return Lexicon;
}

double Percentile(std::vector<double> ASamples, double AFraction)
{
    std::sort(ASamples.begin(), ASamples.end());
    const auto Index = static_cast<std::size_t>(AFraction * static_cast<double>(ASamples.size() - 1));
    return ASamples[Index];
}

double MillisecondsSince(TClock::time_point AStart)
{
    return std::chrono::duration<double, std::milli>(TClock::now() - AStart).count();
}

void BM_WordListReadAndIndex(benchmark::State& State)
{
    if (!HaveItalianList()) {
        State.SkipWithError("no /usr/share/dict/italian (apt-get install witalian)");
        return;
    }
    std::size_t Words = 0;
    for (auto _ : State) {
        const TLexicon Lexicon(DefaultWordList(SystemWordListPath, "").Words());
        Words = Lexicon.WordCount();
    }
    State.counters["words"] = static_cast<double>(Words);
}
BENCHMARK(BM_WordListReadAndIndex)->Unit(benchmark::kMillisecond)->Iterations(5);

// The sentence set, then its letters typed one by one as the attempt; each
// keystroke recounts the attempt and ranks the 200 best words.
void BM_WordsPerKeystroke(benchmark::State& State)
{
    if (!HaveItalianList()) {
        State.SkipWithError("no /usr/share/dict/italian (apt-get install witalian)");
        return;
    }
    const TLexicon& Lexicon = ItalianLexicon();
    const std::u16string& Text = Sentence(State.range(0));
    const std::u16string Letters = TAnagramEngine::Normalize(Text);
    std::vector<double> Keystrokes;
    std::vector<double> SentenceSets;
    std::size_t FirstCount = 0;
    for (auto _ : State) {
        const TClock::time_point SetStart = TClock::now();
        const TLetters SentenceTally = TallyOf(Text);
        const TSentenceView View(Lexicon, SentenceTally);
        SentenceSets.push_back(MillisecondsSince(SetStart));
        for (std::size_t Typed = 0; Typed <= Letters.size(); ++Typed) {
            const TClock::time_point Start = TClock::now();
            TLetters Tally = SentenceTally;
            TAnagram::ProcessString(std::u16string_view(Letters).substr(0, Typed), false, Tally);
            TWordQuery Query;
            Query.Remainder = RemainderOf(Tally);
            Query.Limit = 200;
            const TWordMatches Matches = View.Find(Query);
            benchmark::DoNotOptimize(Matches);
            Keystrokes.push_back(MillisecondsSince(Start));
            if (Typed == 0)
                FirstCount = Matches.Count;
        }
    }
    State.counters["letters"] = static_cast<double>(Letters.size());
    State.counters["fit_0"] = static_cast<double>(FirstCount);
    State.counters["key_p50_ms"] = Percentile(Keystrokes, 0.50);
    State.counters["key_p99_ms"] = Percentile(Keystrokes, 0.99);
    State.counters["key_max_ms"] = Percentile(Keystrokes, 1.0);
    State.counters["sentence_p99_ms"] = Percentile(SentenceSets, 0.99);
}
BENCHMARK(BM_WordsPerKeystroke)->Arg(20)->Arg(35)->Arg(50)->Unit(benchmark::kMillisecond);

// Exit status of the program, or -1 when it could not run or was killed.
int RunQuietly(std::vector<std::string> AArgs)
{
    std::vector<char*> Argv;
    for (std::string& Arg : AArgs)
        Argv.push_back(Arg.data());
    Argv.push_back(nullptr);
    posix_spawn_file_actions_t Actions;
    posix_spawn_file_actions_init(&Actions);
    posix_spawn_file_actions_addopen(&Actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t Child;
    const int Spawned = posix_spawnp(&Child, Argv[0], &Actions, nullptr, Argv.data(), environ);
    posix_spawn_file_actions_destroy(&Actions);
    if (Spawned != 0)
        return -1;
    int Status;
    if (waitpid(Child, &Status, 0) != Child)
        return -1;
    return WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
}

// One whole `an -w` process on the same list and sentence, cut after 120 s.
void BM_AnWords(benchmark::State& State)
{
    if (!HaveItalianList() || !std::filesystem::exists(AnPath)) {
        State.SkipWithError("needs /usr/games/an and /usr/share/dict/italian "
                            "(apt-get install an witalian)");
        return;
    }
    const std::u16string Letters = TAnagramEngine::Normalize(Sentence(State.range(0)));
    std::string Phrase(Letters.begin(), Letters.end());
    std::transform(Phrase.begin(), Phrase.end(), Phrase.begin(),
                   [](char C) { return static_cast<char>(C - 'A' + 'a'); });
    for (auto _ : State)
        if (RunQuietly({"timeout", "120", AnPath, "-w", "-d", SystemWordListPath, Phrase}) != 0)
            State.SkipWithError("an -w failed or took over 120 s");
    State.counters["letters"] = static_cast<double>(Letters.size());
}
BENCHMARK(BM_AnWords)
    ->Arg(20)
    ->Arg(35)
    ->Arg(50)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

} // namespace
