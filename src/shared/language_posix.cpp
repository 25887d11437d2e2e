#include <cstdlib>

#include "shared/language.h"

namespace somvix {

std::optional<std::string> ReadRegionalLanguageText() {
    // The same precedence the C library gives the variables for messages.
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return LanguageTextFromLocaleName(value);
        }
    }
    return std::nullopt;
}

}  // namespace somvix
