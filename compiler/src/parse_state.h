// State shared by the scanner and the parser during one parse.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tarvo/compiler/compile_messages.h"
#include "tarvo/compiler/compile_settings.h"
#include "tarvo/compiler/program_tree.h"

namespace tarvo::compiler {

// Largest number of characters one scan attempt may read.
inline constexpr int kTokenBufferSize = 1000;
// Entries of the parser's state and value stacks.
inline constexpr int kParserStackSize = 2000;
// A quoted text (quotes included) must be shorter than this.
inline constexpr int kQuotedTextLimit = 132;

struct ParseState {
    explicit ParseState(CompileMessages& sink) : messages(sink) {}

    CompileMessages& messages;
    CompileSettings settings;
    ProgramDef* program = nullptr;
    int nodeCount = 0;
    std::string lastContainerLine;  // last "Syntax of Frame/Subroutine ... OK" line
    bool scanAborted = false;
    bool errorReported = false;

    template <class T, class... Args>
    T* make(Args&&... args) {
        auto owned = std::make_shared<T>(std::forward<Args>(args)...);
        T* raw = owned.get();
        arena_.push_back(std::move(owned));
        return raw;
    }
    const char* keepText(std::string text) { return make<std::string>(std::move(text))->c_str(); }

    // The one place where the scanner and the parser report errors.
    void reportError(const std::string& message, int line);

private:
    std::vector<std::shared_ptr<void>> arena_;
};

}  // namespace tarvo::compiler

namespace tarvo::compiler {

// One token as the scanner returned it (-2 for an aborted scan); used by tests.
struct ScannedToken {
    int token = 0;
    int line = 0;
    int number = 0;
    std::string text;
};

std::vector<ScannedToken> scanAll(ParseState& state, const char* source, size_t length);

}  // namespace tarvo::compiler
