#include <array>
#include <string_view>

#include "about/version_file.h"

namespace somvix {

namespace {

constexpr uint16_t SUBLANG_DEFAULT_SHIFTED = 0x0400;
constexpr uint16_t ENGLISH_UNITED_STATES = 0x0409;
constexpr uint16_t NEUTRAL_DEFAULT = 0x0400;

struct LocaleLanguage {
    std::string_view m_strName;  // "es" or "es_ES"
    uint16_t m_nLanguageId;      // a whole id for a region, a primary language for a language
};

// Regions whose id is not the language's default sub-language.
constexpr std::array<LocaleLanguage, 10> REGION_IDS = {{
    {"es_ES", 0x0C0A},
    {"es_MX", 0x080A},
    {"es_AR", 0x2C0A},
    {"es_CO", 0x240A},
    {"es_CL", 0x340A},
    {"en_GB", 0x0809},
    {"en_AU", 0x0C09},
    {"en_CA", 0x1009},
    {"fr_CA", 0x0C0C},
    {"pt_PT", 0x0816},
}};

constexpr std::array<LocaleLanguage, 22> PRIMARY_LANGUAGES = {{
    {"ar", 0x01}, {"bg", 0x02}, {"ca", 0x03}, {"zh", 0x04}, {"cs", 0x05}, {"da", 0x06},
    {"de", 0x07}, {"el", 0x08}, {"en", 0x09}, {"es", 0x0A}, {"fi", 0x0B}, {"fr", 0x0C},
    {"he", 0x0D}, {"hu", 0x0E}, {"it", 0x10}, {"ja", 0x11}, {"ko", 0x12}, {"nl", 0x13},
    {"pl", 0x15}, {"pt", 0x16}, {"ru", 0x19}, {"eu", 0x2D},
}};

}  // namespace

uint16_t LanguageIdFromLocaleName(std::string_view localeName) {
    // "es_ES.UTF-8@euro": language and region stand before '.' or '@'.
    const std::string_view name = localeName.substr(0, localeName.find_first_of(".@"));
    const std::string_view language = name.substr(0, name.find('_'));
    if (language.empty() || language == "C" || language == "POSIX") {
        return ENGLISH_UNITED_STATES;
    }
    for (const LocaleLanguage& region : REGION_IDS) {
        if (region.m_strName == name) {
            return region.m_nLanguageId;
        }
    }
    for (const LocaleLanguage& primary : PRIMARY_LANGUAGES) {
        if (primary.m_strName == language) {
            return static_cast<uint16_t>(SUBLANG_DEFAULT_SHIFTED | primary.m_nLanguageId);
        }
    }
    return NEUTRAL_DEFAULT;
}

}  // namespace somvix
