// Receiver of the compile log lines and of the messages for standard output.
#pragma once

#include <string>
#include <vector>

namespace tarvo::compiler {

class CompileMessages {
public:
    virtual ~CompileMessages() = default;
    // A line of the compile log (the window's list).
    virtual void log(const std::string& line) = 0;
    // Secondary diagnostics and skipped script characters (standard output).
    virtual void console(const std::string& text) = 0;
};

// Keeps everything in memory; used by tests and the batch front end.
class CollectedMessages : public CompileMessages {
public:
    void log(const std::string& line) override { logLines.push_back(line); }
    void console(const std::string& text) override { consoleText += text; }
    std::vector<std::string> logLines;
    std::string consoleText;
};

}  // namespace tarvo::compiler
