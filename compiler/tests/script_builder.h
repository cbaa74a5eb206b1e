// Small helpers that assemble scripts for the compiler tests.
#pragma once

#include <string>

#include "tarvo/compiler/script_compiler.h"

namespace tarvo::compiler::testing {

inline const char* const kReturnNode =
    "Return \"F.R\" ( Source(), Special(), Destination(), Branch() )";

// A script with one REG declaration and one frame F holding `nodes`.
inline std::string scriptWithNodes(const std::string& nodes, const std::string& header = "") {
    return header + "Declarations (\nREG \"R\"\n)\nFrame \"F\" (\n" + nodes + "\n)\n";
}

inline CompileResult compileText(const std::string& script, CollectedMessages& messages, bool listing = false) {
    CompileOptions options;
    options.listing = listing;
    options.fontDirectory = "/nonexistent-font-folder";
    return compileScript(script, options, messages);
}

}  // namespace tarvo::compiler::testing
