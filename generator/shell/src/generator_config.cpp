// Language code checks of the generator settings.
#include "tarvo/shell/generator_config.h"

namespace tarvo::shell {

bool isPromptLanguageCode(const std::string& code) {
    return code == "Wst12" || code == "Wst8" || code == "Chs" || code == "Cht";
}

bool isSystemFontCode(const std::string& code) {
    return code == "Wst12" || code == "Wst8";
}

}  // namespace tarvo::shell
