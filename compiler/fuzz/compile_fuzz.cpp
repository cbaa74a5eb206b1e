// Fuzz target: the whole compile of arbitrary script bytes, in memory.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tarvo/compiler/script_compiler.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tarvo::compiler::CollectedMessages messages;
    tarvo::compiler::CompileOptions options;
    options.listing = true;
    options.fontDirectory = "/nonexistent";
    std::string_view script(reinterpret_cast<const char*>(data), size);
    tarvo::compiler::compileScript(tarvo::compiler::normalizeLineEnds(script), options, messages);
    return 0;
}
