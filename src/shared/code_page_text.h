#pragma once

#include <string>
#include <string_view>

namespace somvix {

// The monitor's names and the recording files' texts are single-byte Windows text (code page
// 1252); the program's own texts are UTF-8. Converts the former into the latter, one character
// per byte: "\xF1" becomes "ñ", "\x80" "€". The five bytes the code page leaves undefined
// become U+FFFD, so that the result is always valid UTF-8.
std::string Utf8From1252(std::string_view text);

// Appends one character (a Unicode code point) to text, encoded in UTF-8.
void AppendUtf8(std::string& text, char32_t character);

}  // namespace somvix
