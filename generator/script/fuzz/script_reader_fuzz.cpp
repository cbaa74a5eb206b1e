// Feeds arbitrary bytes to the script reader, and writes back what it accepts.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tarvo/script/prompter.h"
#include "tarvo/script/script_reader.h"
#include "tarvo/script/script_writer.h"

namespace {

// Swallows messages, answers No and cancels every dialog.
class SilentPrompter : public tarvo::script::Prompter {
public:
    void showMessage(int, int, std::string_view) override {}
    tarvo::script::Answer askYesNo(int, int) override { return tarvo::script::Answer::No; }
    std::optional<std::string> chooseScriptFile(bool, std::string_view) override {
        return std::nullopt;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SilentPrompter prompter;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    auto doc = tarvo::script::ScriptReader(prompter).loadText(text, "/fuzz/App.scr");
    if (doc) tarvo::script::ScriptWriter::write(*doc, "/fuzz/App.scr");
    return 0;
}
