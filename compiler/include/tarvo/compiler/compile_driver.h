// Compiles a script file: output names, the phases, the files beside the script.
#pragma once

#include <string>

#include "tarvo/compiler/compile_messages.h"
#include "tarvo/compiler/script_compiler.h"

namespace tarvo::compiler {

class CompileDriver {
public:
    explicit CompileDriver(CompileMessages& messages) : messages_(messages) {}

    void setListing(bool on) { listing_ = on; }
    bool listing() const { return listing_; }
    void setFontDirectory(std::string folder) { fontDirectory_ = std::move(folder); }

    // Splits a path into folder and base name; false (names unchanged) when the base is empty.
    bool splitPath(const std::string& path);
    const std::string& folder() const { return folder_; }
    const std::string& baseName() const { return baseName_; }
    std::string outputPath(const char* extension) const;

    // Compiles `scriptPath`; true when an image within the size limit was written.
    bool compile(const std::string& scriptPath);
    const CompileResult& lastResult() const { return result_; }
    std::string imagePath() const { return outputPath(".hex"); }

private:
    bool writeOutput(const char* extension, const std::string& text);

    CompileMessages& messages_;
    bool listing_ = false;
    std::string fontDirectory_;
    std::string folder_;
    std::string baseName_;
    CompileResult result_;
};

// Lower-case copy, used only for the log line and the window title.
std::string lowerCase(std::string text);

// Starts the transfer utility with the image path, without waiting; false when it cannot start.
bool startTransferUtility(const std::string& imagePath);

}  // namespace tarvo::compiler
