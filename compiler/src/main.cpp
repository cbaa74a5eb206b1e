// tarvocomp: compiles a script given on the command line into a HEX image.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "tarvo/common/paths.h"
#include "tarvo/compiler/compile_driver.h"

namespace {

// Prints log lines and console text as they come.
class StdoutMessages : public tarvo::compiler::CompileMessages {
public:
    void log(const std::string& line) override { std::cout << line << '\n' << std::flush; }
    void console(const std::string& text) override { std::cout << text << std::flush; }
};

const char* const kUsage =
    "usage: tarvocomp [--batch] [--list] SCRIPT\n"
    "  Compiles SCRIPT (.scr) into SCRIPT.hex beside it.\n"
    "  --batch  no window, never starts tarvoxfer; exit 0 when the image was written\n"
    "  --list   also keep the record file (.loc) and write the listing (.lst)\n";

}  // namespace

#ifdef TARVO_COMPILER_GUI
namespace tarvo::compiler {
int runCompilerWindow(int argc, char** argv, const std::string& path, bool listing);
}

// A window needs a display; without one the plain form logs to standard output.
static bool displayAvailable() {
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") || std::getenv("QT_QPA_PLATFORM");
}
#endif

int main(int argc, char** argv) {
    bool batch = false;
    bool listing = false;
    int first = 1;
    // Options only lead the command line; everything after them is the path.
    for (; first < argc; ++first) {
        std::string arg = argv[first];
        if (arg == "--batch") batch = true;
        else if (arg == "--list") listing = true;
        else if (arg == "--help") { std::cout << kUsage; return 0; }
        else break;
    }
    std::string path;
    for (int i = first; i < argc; ++i) {
        if (!path.empty()) path += ' ';
        path += argv[i];
    }
#ifdef TARVO_COMPILER_GUI
    if (!batch && displayAvailable()) return tarvo::compiler::runCompilerWindow(1, argv, path, listing);
#endif
    if (path.empty()) {
        std::cerr << kUsage;
        return 2;
    }

    StdoutMessages messages;
    tarvo::compiler::CompileDriver driver(messages);
    driver.setListing(listing);
    // Glyph files stand beside the program (build tree) or in ../share/tarvo (installed).
    std::string glyphFile = tarvo::findDataFile("cp936all.bmf");
    if (glyphFile.empty()) glyphFile = tarvo::findDataFile("cp950all.bmf");
    driver.setFontDirectory(glyphFile.empty() ? tarvo::programDir()
                                              : glyphFile.substr(0, glyphFile.find_last_of('/')));
    bool written = driver.compile(path);
    if (written && !batch && !tarvo::compiler::startTransferUtility(driver.imagePath()))
        messages.log("Can't access TarvoXfer tool to download application");
    return written ? 0 : 1;
}
