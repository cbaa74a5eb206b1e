// ScriptReader: builds an application from a script file, including scripts
// of the previous version without Portable, Language and SystemFontSize lines.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "tarvo/model/doc_context.h"
#include "tarvo/script/prompter.h"

namespace tarvo::script {

/// Longest line the reader accepts; a longer one is a syntax error.
inline constexpr std::size_t kMaxScriptLineLength = 1024;

class ScriptReader {
public:
    explicit ScriptReader(Prompter& prompter) : prompter_(prompter) {}

    /// Reads the script at `path`. Answers the application, or nothing when
    /// the load failed (the reason has been shown through the prompter).
    std::unique_ptr<CDocContext> load(const std::string& path);

    /// Reads script text already in memory; `path` names it in messages and
    /// gives the root frame of an old-format script its name.
    std::unique_ptr<CDocContext> loadText(std::string_view text, const std::string& path);

private:
    Prompter& prompter_;
};

}  // namespace tarvo::script
