// Messages and questions of the command line.
#include "stderr_prompter.h"

#include <cstdio>

#include "tarvo/script/script_messages.h"

namespace tarvo::app {

void StderrPrompter::showMessage(int messageId, int titleId, std::string_view detail) {
    std::fprintf(stderr, "tarvo: %s: %s\n", std::string(script::messageText(titleId)).c_str(),
                 script::formatMessage(messageId, detail).c_str());
}

script::Answer StderrPrompter::askYesNo(int messageId, int titleId) {
    std::fprintf(stderr, "tarvo: %s: %s [answered Yes]\n",
                 std::string(script::messageText(titleId)).c_str(),
                 std::string(script::messageText(messageId)).c_str());
    return script::Answer::Yes;
}

std::optional<std::string> StderrPrompter::chooseScriptFile(bool, std::string_view) {
    return std::nullopt;
}

}  // namespace tarvo::app
