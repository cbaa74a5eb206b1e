// Compile time of growing scripts, with srec_cat rewriting the same image as a yardstick.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tarvo/compiler/script_compiler.h"

namespace {

using namespace tarvo::compiler;

// `nodes` Copy nodes in frames of 250, each with a text of `textLength` characters.
std::string scriptOf(int nodes, int textLength) {
    std::string script = "Declarations (\nREG \"R\"\n)\n";
    std::string text(textLength, 't');
    int frames = (nodes + 249) / 250;
    for (int f = 0; f < frames; ++f) {
        std::string name = "F" + std::to_string(f);
        script += (f ? ";\nFrame \"" : "Frame \"") + name + "\" (\n";
        for (int i = 0; i < 250 && f * 250 + i < nodes; ++i)
            script += "Copy \"" + name + ".C" + std::to_string(i) + "\" ( Source( LITERAL \"" + text +
                      "\" ), Special(), Destination( REG \"R\", OVERWRITE ), Branch( Copy \"" + name + ".C0\" ) ),\n";
        script += "Return \"" + name + ".R\" ( Source(), Special(), Destination(), Branch() ) )";
    }
    return script;
}

void compileNodes(benchmark::State& state, int textLength) {
    std::string script = scriptOf(static_cast<int>(state.range(0)), textLength);
    CompileOptions options;
    uint64_t bytes = 0;
    for (auto _ : state) {
        CollectedMessages messages;
        CompileResult result = compileScript(script, options, messages);
        bytes = result.imageBytes;
        benchmark::DoNotOptimize(result.imageText.data());
    }
    state.counters["image_bytes"] = static_cast<double>(bytes);
    state.SetComplexityN(state.range(0));
}

void BM_Compile(benchmark::State& state) { compileNodes(state, 8); }
BENCHMARK(BM_Compile)->Arg(250)->Arg(500)->Arg(1000)->Complexity(benchmark::oN);

// About 1,550 nodes of 42 bytes: close to the 65,535-byte limit.
void BM_CompileNearLimit(benchmark::State& state) { compileNodes(state, 8); }
BENCHMARK(BM_CompileNearLimit)->Arg(1550);

// srec_cat reading and rewriting the data part of the near-limit image.
void BM_SrecCatYardstick(benchmark::State& state) {
    CollectedMessages messages;
    CompileResult result = compileScript(scriptOf(1550, 8), CompileOptions{}, messages);
    auto input = std::filesystem::temp_directory_path() / "tarvocomp_bench.hex";
    std::ofstream(input) << result.imageText.substr(result.imageText.find(":020000023000CC"));
    std::string command = "srec_cat -disable-sequence-warnings " + input.string() + " -Intel -o " + input.string() +
                          ".out -Intel > /dev/null 2>&1";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) state.SkipWithError("srec_cat failed");
    std::filesystem::remove(input);
    std::filesystem::remove(input.string() + ".out");
}
BENCHMARK(BM_SrecCatYardstick)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
