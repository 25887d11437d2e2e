#pragma once

#include <cstddef>
#include <streambuf>
#include <string>

namespace somvix {

// Outcome of one read, as the C library's formatted input reports it: a value converted, a token
// that does not convert (nothing stored), or the end of the input before any token.
enum class ScanResult { Converted, NoMatch, EndOfFile };

// Reads white-space separated tokens with the C library's formatted-input rules ("%lf", "%d",
// "%s"), except that numbers always take a decimal point: the reader never consults the
// locale, so a user's decimal-comma locale does not change what a recording file means.
// A number ends at the first character that cannot continue it: "1,5" reads 1 and the next
// read meets ",5", which does not convert.
class TokenScanner {
public:
    explicit TokenScanner(std::streambuf& source) : m_source(source) {}

    // "%lf": decimal or hexadecimal floating point, "inf", "infinity", "nan" in any case.
    ScanResult ReadDouble(double& value);
    // "%d": optional sign and decimal digits; values beyond the int range saturate.
    ScanResult ReadInt(int& value);
    // "%s" into a buffer of maxLength characters: a longer token is consumed whole and gives
    // the empty text, never a cut or overflowing one.
    ScanResult ReadToken(std::string& token, std::size_t maxLength);

private:
    int Peek();
    void Advance();
    // Skips white space; false at the end of the input.
    bool SkipWhiteSpace();
    // Moves the current character into text while it is one of the given ones (any case).
    bool TakeIf(std::string& text, const char* accepted);
    void TakeDigits(std::string& text, bool hexadecimal);

    std::streambuf& m_source;
    bool m_bReadError = false;  // the source failed: everything after reads as the end
};

// White space of the C locale: blank, tab, line feed, vertical tab, form feed, carriage return.
constexpr bool IsScanSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace somvix
