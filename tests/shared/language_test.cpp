#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "shared/language.h"

namespace somvix {
namespace {

TEST(LanguageFromText, MapsRegionalText) {
    const struct {
        std::optional<std::string> text;
        Language expected;
    } rows[] = {{"ESN", Language::Spanish},    {"ESP", Language::Spanish},
                {"ENU", Language::English},    {"ENG", Language::English},
                {"DEU", Language::Other},      {"ENES", Language::Spanish},
                {"xENyES", Language::Spanish}, {"esn", Language::Other},
                {"", Language::Other},         {std::nullopt, Language::Other}};
    for (const auto& row : rows) {
        EXPECT_EQ(LanguageFromText(row.text), row.expected) << row.text.value_or("no text");
    }
}

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
    const struct {
        const char* all;
        const char* messages;
        const char* lang;
        Language expected;
    } rows[] = {{"es_ES.UTF-8", "en_US.UTF-8", "de_DE.UTF-8", Language::Spanish},
                {nullptr, "en_US.UTF-8", "es_ES.UTF-8", Language::English},
                {"", "", "de_DE.UTF-8", Language::Other},
                {nullptr, nullptr, "es_MX.UTF-8", Language::Spanish},
                {nullptr, nullptr, nullptr, Language::Other},
                {"C", nullptr, "es_ES.UTF-8", Language::Other}};
    for (const auto& row : rows) {
        const LocaleEnvironment environment(row.all, row.messages, row.lang);
        EXPECT_EQ(DetectLanguage(), row.expected)
            << (row.all ? row.all : "-") << " " << (row.messages ? row.messages : "-");
    }
}

}  // namespace
}  // namespace somvix
