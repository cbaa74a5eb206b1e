// Driver of one compile: names, reading the script, writing and removing output files.
#include "tarvo/compiler/compile_driver.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <spawn.h>
#include <unistd.h>

#include "tarvo/common/paths.h"
#include "tarvo/common/safe_file.h"

extern char** environ;

namespace tarvo::compiler {

std::string lowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool CompileDriver::splitPath(const std::string& path) {
    std::string folder, base;
    size_t slash = path.rfind('/');
    if (slash != std::string::npos) {
        folder = path.substr(0, slash);
        base = path.substr(slash + 1);
        if (folder.empty()) folder = "/";
    } else {
        std::error_code error;
        folder = std::filesystem::current_path(error).string();
        base = path;
    }
    if (base.empty()) return false;
    size_t dot = base.rfind('.');
    if (dot != std::string::npos) base.erase(dot);
    folder_ = folder;
    baseName_ = base;
    return true;
}

std::string CompileDriver::outputPath(const char* extension) const {
    return tarvo::joinPath(folder_, baseName_ + extension);
}

bool CompileDriver::writeOutput(const char* extension, const std::string& text) {
    if (!tarvo::writeFileSafely(outputPath(extension), text).ok) {
        messages_.console("Error creating " + baseName_ + extension + "\n");
        return false;
    }
    return true;
}

bool CompileDriver::compile(const std::string& scriptPath) {
    splitPath(scriptPath);
    messages_.log("Compiling " + lowerCase(scriptPath));

    std::string raw;
    if (!tarvo::readWholeFile(scriptPath, raw).ok) {
        messages_.console("Error opening " + baseName_ + ".scr\n");
        raw.clear();
    } else if (raw.empty()) {
        messages_.console("Error " + baseName_ + ".scr is empty\n");
    }
    CompileOptions options;
    options.listing = listing_;
    options.fontDirectory = fontDirectory_;
    result_ = compileScript(normalizeLineEnds(raw), options, messages_);
    if (!result_.accepted) return false;

    std::error_code ignored;
    if (!result_.hexGenerated) {
        std::filesystem::remove(outputPath(".hex"), ignored);
        return false;
    }
    if (listing_) {
        if (!writeOutput(".loc", result_.recordText) || !writeOutput(".lst", result_.listingText)) return false;
    } else {
        std::filesystem::remove(outputPath(".loc"), ignored);
    }
    if (result_.imageBytes > kMaxImageBytes) {
        messages_.log("Error: HEX File Exceeds Application Size Limit.");
        std::filesystem::remove(outputPath(".hex"), ignored);
        return false;
    }
    return writeOutput(".hex", result_.imageText);
}

bool startTransferUtility(const std::string& imagePath) {
    std::string beside = tarvo::joinPath(tarvo::programDir(), "tarvoxfer");
    std::string program = access(beside.c_str(), X_OK) == 0 ? beside : std::string("tarvoxfer");
    char* argv[] = {program.data(), const_cast<char*>(imagePath.c_str()), nullptr};
    pid_t pid = 0;
    int status = program == beside ? posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ)
                                   : posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv, environ);
    return status == 0;
}

}  // namespace tarvo::compiler
