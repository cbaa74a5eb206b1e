// Where the loader shows its failure message; the generator adapts its Prompter.
#pragma once

#include <string>

namespace tarvo::langinfo {

/// The icon of a reported message.
enum class MessageIcon { Information, Warning, Error };

/// Shows one message box (or whatever stands for it) to the user.
struct MessageReporter {
    virtual ~MessageReporter() = default;
    virtual void showMessage(const std::string& text, const std::string& caption,
                             MessageIcon icon) = 0;
};

}  // namespace tarvo::langinfo
