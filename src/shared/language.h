#pragma once

#include <optional>
#include <string>

namespace somvix {

// The language of the user's regional settings. Only English chooses the English name of the
// wired adapter; Spanish and any other language choose the Spanish one.
enum class Language { Spanish, English, Other };

// The language of a regional-settings text: "ES" anywhere gives Spanish, else "EN" anywhere
// English (case-sensitive), else neither. No text at all gives neither.
Language LanguageFromText(const std::optional<std::string>& text);

// The regional-settings text of this user: on Windows the value sLanguage of the current user's
// "Control Panel\International" key; elsewhere the locale name (LC_ALL, then LC_MESSAGES, then
// LANG) turned into the same kind of text ("es_ES.UTF-8" gives "ES...").
std::optional<std::string> ReadRegionalLanguageText();

// A POSIX locale name turned into the text above: its language part in capitals, or nothing
// for the C and POSIX locales and an empty name.
std::optional<std::string> LanguageTextFromLocaleName(const std::string& localeName);

Language DetectLanguage();

}  // namespace somvix
