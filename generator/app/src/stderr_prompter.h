// StderrPrompter: answers every question Yes and prints every message to stderr,
// for the generator's command line.
#pragma once

#include "tarvo/script/prompter.h"

namespace tarvo::app {

class StderrPrompter : public script::Prompter {
public:
    void showMessage(int messageId, int titleId, std::string_view detail) override;
    script::Answer askYesNo(int messageId, int titleId) override;
    /// There is no dialog on the command line: choosing a file is cancelled.
    std::optional<std::string> chooseScriptFile(bool forSaving, std::string_view suggested) override;
};

}  // namespace tarvo::app
