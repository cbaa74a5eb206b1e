// tarvo: the generator. Until its window exists, the command line only
// re-saves scripts (which also upgrades scripts of the previous version).
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "stderr_prompter.h"
#include "tarvo/model/node_key.h"
#include "tarvo/script/script_reader.h"
#include "tarvo/script/script_saver.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

const char* const kUsage =
    "Usage: tarvo [--help]\n"
    "       tarvo --resave IN.scr [OUT.scr]\n"
    "\n"
    "Tarvo generator for VK terminal applications.\n"
    "\n"
    "  --resave IN.scr [OUT.scr]  load the script IN.scr and save it again, to OUT.scr\n"
    "                             when given, otherwise over IN.scr. Questions are\n"
    "                             answered Yes (this upgrades scripts of the previous\n"
    "                             version); messages go to standard error.\n"
    "  --help                     show this text.\n"
    "\n"
    "Exit codes: 0 success, 1 the script could not be loaded or saved, 2 bad usage.\n";

std::string absolutePath(const std::string& path) {
    std::error_code ec;
    auto abs = std::filesystem::absolute(path, ec);
    return ec ? path : abs.lexically_normal().string();
}

int resave(const std::string& in, const std::string& out) {
    tarvo::app::StderrPrompter prompter;
    auto doc = tarvo::script::ScriptReader(prompter).load(absolutePath(in));
    if (!doc) return kExitFailed;
    bool saveAs = !out.empty();
    if (saveAs && !doc->setPath(tarvo::widenLatin1(absolutePath(out)))) {
        std::fprintf(stderr, "tarvo: the path is too long: %s\n", out.c_str());
        return kExitFailed;
    }
    auto result = tarvo::script::ScriptSaver(prompter).save(*doc, saveAs);
    return result == tarvo::script::SaveResult::Saved ? kExitOk : kExitFailed;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 1) {
        std::fputs(kUsage, stdout);
        return kExitOk;
    }
    std::string_view first = argv[1];
    if (first == "--help" || first == "-h") {
        std::fputs(kUsage, stdout);
        return kExitOk;
    }
    if (first == "--resave" && (argc == 3 || argc == 4))
        return resave(argv[2], argc == 4 ? argv[3] : std::string());
    std::fputs(kUsage, stderr);
    return kExitUsage;
}
