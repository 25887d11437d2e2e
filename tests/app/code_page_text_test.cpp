#include <gtest/gtest.h>

#include "app/code_page_text.h"

namespace somvix {
namespace {

TEST(Utf8From1252, EveryByteIsOneCharacterOfTheCodePage) {
    struct Case {
        std::string text;
        std::string utf8;
    };
    const Case cases[] = {
        {"paciente1 <b>", "paciente1 <b>"},
        {"a\xF1o", "año"},
        {"\xD1\xE1\xFC\xBF", "Ñáü¿"},
        {"\x80\x8A\x9C\x9F", "€ŠœŸ"},
        {"\xA0\xFF", "\u00A0ÿ"},
        // Undefined in the code page.
        {"\x81\x8D\x8F\x90\x9D", "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
        {std::string("a\0b", 3), std::string("a\0b", 3)},
        {"", ""},
    };
    for (const Case& row : cases) {
        EXPECT_EQ(Utf8From1252(row.text), row.utf8) << row.text;
    }
}

}  // namespace
}  // namespace somvix
