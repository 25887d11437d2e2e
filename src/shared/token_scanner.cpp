#include "shared/token_scanner.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <exception>
#include <limits>

namespace somvix {

namespace {

// Longest number text converted; a longer run of digits is no number any monitor writes, and
// the cap keeps a hostile file from growing the buffer without end.
constexpr std::size_t MAX_NUMBER_LENGTH = 512;

bool IsDecimalDigit(int c) {
    return c >= '0' && c <= '9';
}

bool IsHexDigit(int c) {
    return IsDecimalDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int ToLower(int c) {
    return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
}

// Whether text (lower case) is the whole of "inf" or "infinity".
bool IsInfinityWord(const std::string& letters) {
    return letters == "inf" || letters == "infinity";
}

// Decimal magnitude of a decimal text without sign, as the power of ten of 0.d x 10^n with d
// its first non-zero digit: an out-of-range conversion overflowed when it is positive and
// underflowed otherwise.
long long DecimalMagnitude(const std::string& text) {
    const size_t e = text.find_first_of("eE");
    long long exponent = 0;
    if (e != std::string::npos) {
        size_t i = e + 1;
        const bool negative = i < text.size() && text[i] == '-';
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        for (; i < text.size(); ++i) {
            exponent = std::min<long long>(exponent * 10 + (text[i] - '0'), 1000000000LL);
        }
        exponent = negative ? -exponent : exponent;
    }
    const std::string mantissa = text.substr(0, e);
    const size_t point = mantissa.find('.');
    const long long integerDigits =
        static_cast<long long>(point == std::string::npos ? mantissa.size() : point);
    const size_t firstNonZero = mantissa.find_first_of("123456789");
    if (firstNonZero == std::string::npos) {
        return 0;
    }
    const long long index = static_cast<long long>(firstNonZero);
    const long long position =
        index < integerDigits ? integerDigits - index : integerDigits - index + 1;
    return exponent + position;
}

}  // namespace

int TokenScanner::Peek() {
    // A read error ends the input, as it does for the C library's formatted input; a file
    // buffer reports it by throwing (reading a folder, an I/O error of the medium).
    if (m_bReadError) {
        return std::streambuf::traits_type::eof();
    }
    try {
        return m_source.sgetc();
    } catch (const std::exception&) {
        m_bReadError = true;
        return std::streambuf::traits_type::eof();
    }
}

void TokenScanner::Advance() {
    if (m_bReadError) {
        return;
    }
    try {
        m_source.sbumpc();
    } catch (const std::exception&) {
        m_bReadError = true;
    }
}

bool TokenScanner::SkipWhiteSpace() {
    int c = Peek();
    while (c != std::streambuf::traits_type::eof() && IsScanSpace(c)) {
        Advance();
        c = Peek();
    }
    return c != std::streambuf::traits_type::eof();
}

bool TokenScanner::TakeIf(std::string& text, const char* accepted) {
    const int c = Peek();
    if (c == std::streambuf::traits_type::eof() || text.size() >= MAX_NUMBER_LENGTH ||
        std::strchr(accepted, ToLower(c)) == nullptr) {
        return false;
    }
    text.push_back(static_cast<char>(c));
    Advance();
    return true;
}

void TokenScanner::TakeDigits(std::string& text, bool hexadecimal) {
    int c = Peek();
    while ((hexadecimal ? IsHexDigit(c) : IsDecimalDigit(c)) && text.size() < MAX_NUMBER_LENGTH) {
        text.push_back(static_cast<char>(c));
        Advance();
        c = Peek();
    }
}

ScanResult TokenScanner::ReadDouble(double& value) {
    if (!SkipWhiteSpace()) {
        return ScanResult::EndOfFile;
    }
    // The input item is the longest prefix of a number; like fscanf, which can push back only
    // one character, an item that is a prefix but not a whole number ("1e", "0x", "infin")
    // does not convert.
    bool negative = false;
    std::string sign;
    if (TakeIf(sign, "+-")) {
        negative = sign[0] == '-';
    }
    const int first = ToLower(Peek());
    if (first == 'i') {
        std::string letters;
        const char* word = "infinity";
        for (size_t i = 0; i < 8 && ToLower(Peek()) == word[i]; ++i) {
            letters.push_back(word[i]);
            Advance();
        }
        if (!IsInfinityWord(letters)) {
            return ScanResult::NoMatch;
        }
        value = negative ? -std::numeric_limits<double>::infinity()
                         : std::numeric_limits<double>::infinity();
        return ScanResult::Converted;
    }
    if (first == 'n') {
        std::string letters;
        for (size_t i = 0; i < 3 && ToLower(Peek()) == "nan"[i]; ++i) {
            letters.push_back("nan"[i]);
            Advance();
        }
        if (letters != "nan") {
            return ScanResult::NoMatch;
        }
        if (Peek() == '(') {
            std::string inside;
            Advance();
            while (TakeIf(inside, "abcdefghijklmnopqrstuvwxyz0123456789_")) {
            }
            if (Peek() != ')') {
                return ScanResult::NoMatch;
            }
            Advance();
        }
        value = std::numeric_limits<double>::quiet_NaN();
        return ScanResult::Converted;
    }

    std::string text;
    bool hexadecimal = false;
    if (Peek() == '0') {
        text.push_back('0');
        Advance();
        if (TakeIf(text, "x")) {
            hexadecimal = true;
            text.clear();  // from_chars takes hexadecimal digits without the prefix
        }
    }
    // A decimal's leading "0" is one of its digits; a hexadecimal's "0x" is not.
    TakeDigits(text, hexadecimal);
    size_t digits = text.size();
    if (TakeIf(text, ".")) {
        TakeDigits(text, hexadecimal);
        digits = text.size() - 1;
    }
    if (digits == 0) {
        return ScanResult::NoMatch;
    }
    if (TakeIf(text, hexadecimal ? "p" : "e")) {
        TakeIf(text, "+-");
        const size_t before = text.size();
        TakeDigits(text, false);
        if (text.size() == before) {
            return ScanResult::NoMatch;
        }
    }
    if (text.size() >= MAX_NUMBER_LENGTH) {
        return ScanResult::NoMatch;
    }

    double parsed = 0.0;
    const auto format = hexadecimal ? std::chars_format::hex : std::chars_format::general;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), parsed, format);
    if (error == std::errc::result_out_of_range) {
        // As strtod: an overflow gives HUGE_VAL, an underflow 0.
        const bool overflow = hexadecimal ? text.find("p-") == std::string::npos &&
                                                text.find("P-") == std::string::npos
                                          : DecimalMagnitude(text) > 0;
        parsed = overflow ? HUGE_VAL : 0.0;
    } else if (error != std::errc() || end != text.data() + text.size()) {
        return ScanResult::NoMatch;
    }
    value = negative ? -parsed : parsed;
    return ScanResult::Converted;
}

ScanResult TokenScanner::ReadInt(int& value) {
    if (!SkipWhiteSpace()) {
        return ScanResult::EndOfFile;
    }
    std::string sign;
    const bool negative = TakeIf(sign, "+-") && sign[0] == '-';
    if (!IsDecimalDigit(Peek())) {
        return ScanResult::NoMatch;
    }
    long long magnitude = 0;
    for (int c = Peek(); IsDecimalDigit(c); c = Peek()) {
        magnitude = std::min<long long>(magnitude * 10 + (c - '0'), LLONG_MAX / 100);
        Advance();
    }
    const long long signedValue = negative ? -magnitude : magnitude;
    value = static_cast<int>(std::clamp<long long>(signedValue, INT_MIN, INT_MAX));
    return ScanResult::Converted;
}

ScanResult TokenScanner::ReadToken(std::string& token, std::size_t maxLength) {
    token.clear();
    if (!SkipWhiteSpace()) {
        return ScanResult::EndOfFile;
    }
    bool tooLong = false;
    for (int c = Peek(); c != std::streambuf::traits_type::eof() && !IsScanSpace(c); c = Peek()) {
        if (token.size() < maxLength) {
            token.push_back(static_cast<char>(c));
        } else {
            tooLong = true;
        }
        Advance();
    }
    if (tooLong) {
        token.clear();
    }
    return ScanResult::Converted;
}

}  // namespace somvix
