// Prompter: how the script code shows messages and asks its questions, so a
// window, a command line or a test can answer them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvo::script {

enum class Answer { Yes, No, Cancel };

class Prompter {
public:
    virtual ~Prompter() = default;

    /// Shows message `messageId` under title `titleId`. `detail` fills the
    /// message's placeholders or adds details (a path, a line number).
    virtual void showMessage(int messageId, int titleId, std::string_view detail = {}) = 0;

    /// Asks the Yes/No question `messageId` under title `titleId`.
    virtual Answer askYesNo(int messageId, int titleId) = 0;

    /// Lets the user choose a script file; `forSaving` chooses a name to
    /// write. Answers the path, or nothing when cancelled.
    virtual std::optional<std::string> chooseScriptFile(bool forSaving,
                                                        std::string_view suggested) = 0;
};

}  // namespace tarvo::script
