// Load and save times of generated applications, to check that both grow
// linearly with the number of nodes.
#include <benchmark/benchmark.h>

#include "../tests/random_app.h"
#include "../tests/recording_prompter.h"
#include "tarvo/script/script_reader.h"
#include "tarvo/script/script_writer.h"

namespace {

void BM_WriteScript(benchmark::State& state) {
    auto doc = tarvo::script::testing::RandomApp(7).build(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(tarvo::script::ScriptWriter::write(*doc, "/b.scr"));
    state.SetComplexityN(state.range(0));
}

void BM_ReadScript(benchmark::State& state) {
    auto doc = tarvo::script::testing::RandomApp(7).build(static_cast<int>(state.range(0)));
    std::string text = tarvo::script::ScriptWriter::write(*doc, "/b.scr");
    tarvo::script::RecordingPrompter prompter;
    for (auto _ : state)
        benchmark::DoNotOptimize(tarvo::script::ScriptReader(prompter).loadText(text, "/b.scr"));
    state.SetComplexityN(state.range(0));
}

}  // namespace

BENCHMARK(BM_WriteScript)->Arg(500)->Arg(1000)->Arg(2000)->Complexity();
BENCHMARK(BM_ReadScript)->Arg(500)->Arg(1000)->Arg(2000)->Complexity();
BENCHMARK_MAIN();
