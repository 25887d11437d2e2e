#include "shared/language.h"

#include <cctype>

namespace somvix {

Language LanguageFromText(const std::optional<std::string>& text) {
    if (!text) {
        return Language::Other;
    }
    if (text->find("ES") != std::string::npos) {
        return Language::Spanish;
    }
    if (text->find("EN") != std::string::npos) {
        return Language::English;
    }
    return Language::Other;
}

std::optional<std::string> LanguageTextFromLocaleName(const std::string& localeName) {
    // "es_ES.UTF-8@euro": the language is what stands before '_', '.' or '@'.
    const std::string language = localeName.substr(0, localeName.find_first_of("_.@"));
    if (language.empty() || language == "C" || language == "POSIX") {
        return std::nullopt;
    }
    std::string upper;
    for (const char c : language) {
        upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return upper;
}

Language DetectLanguage() {
    return LanguageFromText(ReadRegionalLanguageText());
}

}  // namespace somvix
