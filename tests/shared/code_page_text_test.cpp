#include <gtest/gtest.h>

#include "shared/code_page_text.h"

namespace somvix {
namespace {

TEST(Utf8From1252, EveryByteIsOneCharacterOfTheCodePage) {
    const std::pair<std::string, std::string> cases[] = {
        {"paciente1 <b>", "paciente1 <b>"},
        {"\xD1\xE1\xFC\xBF\xA0\xFF", "Ñáü¿\u00A0ÿ"},
        {"\x80\x8A\x9C\x9F", "€ŠœŸ"},
        {"\x81\x8D\x8F\x90\x9D", "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},  // undefined
        {std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const auto& [text, utf8] : cases) {
        EXPECT_EQ(Utf8From1252(text), utf8) << text;
    }
}

}  // namespace
}  // namespace somvix
