#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "shared/language.h"

namespace somvix {
namespace {

struct LanguageCase {
    const char* name;
    std::optional<std::string> text;
    Language expected;
};

void PrintTo(const LanguageCase& languageCase, std::ostream* out) {
    *out << languageCase.name;
}

class LanguageFromTextTest : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(LanguageFromTextTest, MapsRegionalText) {
    EXPECT_EQ(LanguageFromText(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(RegionalTexts, LanguageFromTextTest,
                         ::testing::Values(LanguageCase{"ESN", "ESN", Language::Spanish},
                                           LanguageCase{"ESP", "ESP", Language::Spanish},
                                           LanguageCase{"ENU", "ENU", Language::English},
                                           LanguageCase{"ENG", "ENG", Language::English},
                                           LanguageCase{"DEU", "DEU", Language::Other},
                                           LanguageCase{"BothEsFirst", "ENES", Language::Spanish},
                                           LanguageCase{"BothEnFirst", "xENyES", Language::Spanish},
                                           LanguageCase{"LowerCaseIsNeither", "esn",
                                                        Language::Other},
                                           LanguageCase{"Empty", "", Language::Other},
                                           LanguageCase{"Missing", std::nullopt, Language::Other}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LanguageTextFromLocaleName, TakesLanguagePartInCapitals) {
    EXPECT_EQ(LanguageTextFromLocaleName("es_ES.UTF-8"), "ES");
    EXPECT_EQ(LanguageTextFromLocaleName("en_GB.UTF-8"), "EN");
    EXPECT_EQ(LanguageTextFromLocaleName("de_DE@euro"), "DE");
    EXPECT_EQ(LanguageTextFromLocaleName("es"), "ES");
    EXPECT_EQ(LanguageTextFromLocaleName("C"), std::nullopt);
    EXPECT_EQ(LanguageTextFromLocaleName("C.UTF-8"), std::nullopt);
    EXPECT_EQ(LanguageTextFromLocaleName("POSIX"), std::nullopt);
    EXPECT_EQ(LanguageTextFromLocaleName(""), std::nullopt);
}

// Sets the three locale variables for one test and puts the old values back afterwards.
class LocaleEnvironment {
public:
    LocaleEnvironment(const char* all, const char* messages, const char* lang) {
        Set("LC_ALL", all);
        Set("LC_MESSAGES", messages);
        Set("LANG", lang);
    }
    ~LocaleEnvironment() {
        for (const auto& [name, value] : m_saved) {
            if (value) {
                setenv(name.c_str(), value->c_str(), 1);
            } else {
                unsetenv(name.c_str());
            }
        }
    }

private:
    void Set(const char* name, const char* value) {
        const char* old = std::getenv(name);
        m_saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        if (value) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

TEST(DetectLanguage, FollowsLocaleVariablesInPrecedence) {
    {
        LocaleEnvironment environment("es_ES.UTF-8", "en_US.UTF-8", "de_DE.UTF-8");
        EXPECT_EQ(DetectLanguage(), Language::Spanish);
    }
    {
        LocaleEnvironment environment(nullptr, "en_US.UTF-8", "es_ES.UTF-8");
        EXPECT_EQ(DetectLanguage(), Language::English);
    }
    {
        LocaleEnvironment environment("", "", "de_DE.UTF-8");
        EXPECT_EQ(DetectLanguage(), Language::Other);
    }
    {
        LocaleEnvironment environment(nullptr, nullptr, "es_MX.UTF-8");
        EXPECT_EQ(DetectLanguage(), Language::Spanish);
    }
    {
        LocaleEnvironment environment(nullptr, nullptr, nullptr);
        EXPECT_EQ(DetectLanguage(), Language::Other);
    }
    {
        LocaleEnvironment environment("C", nullptr, "es_ES.UTF-8");
        EXPECT_EQ(DetectLanguage(), Language::Other);
    }
}

}  // namespace
}  // namespace somvix
