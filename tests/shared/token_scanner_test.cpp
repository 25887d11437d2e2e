#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <ios>
#include <limits>
#include <sstream>

#include "shared/token_scanner.h"
#include "support/temp_dir.h"

namespace somvix {
namespace {

struct ScannedDouble {
    ScanResult result;
    double value;
};

std::vector<ScannedDouble> ReadDoubles(const std::string& text) {
    std::stringbuf source(text);
    TokenScanner scanner(source);
    std::vector<ScannedDouble> read;
    for (int i = 0; i < 10; ++i) {
        double value = -1.0;
        const ScanResult result = scanner.ReadDouble(value);
        read.push_back({result, value});
        if (result != ScanResult::Converted) {
            break;
        }
    }
    return read;
}

struct DoubleCase {
    const char* name;
    const char* input;
    std::vector<double> converted;  // then one failing read
    ScanResult end;
};

TEST(TokenScanner, DoublesFollowTheFormattedInputRules) {
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<DoubleCase> cases = {
        {"pairs across lines and tabs",
         "55.2 48.0\n56.1\t47.5\r\n",
         {55.2, 48.0, 56.1, 47.5},
         ScanResult::EndOfFile},
        {"decimal comma stops at the comma", "1,5", {1.0}, ScanResult::NoMatch},
        {"signs, exponent, bare point",
         "-3.5e2 +.5 1. 007",
         {-350.0, 0.5, 1.0, 7.0},
         ScanResult::EndOfFile},
        {"exponent without digits", "1e 2", {}, ScanResult::NoMatch},
        {"exponent sign without digits", "1e+", {}, ScanResult::NoMatch},
        {"number followed by letters", "1e5x", {1e5}, ScanResult::NoMatch},
        {"hexadecimal", "0x1p3 0X.8", {8.0, 0.5}, ScanResult::EndOfFile},
        {"hexadecimal prefix alone", "0x", {}, ScanResult::NoMatch},
        {"infinities", "inf -Infinity", {inf, -inf}, ScanResult::EndOfFile},
        {"unfinished infinity", "infin", {}, ScanResult::NoMatch},
        {"lone point", ".", {}, ScanResult::NoMatch},
        {"lone sign", "- 1", {}, ScanResult::NoMatch},
        {"letters", "abc", {}, ScanResult::NoMatch},
        {"empty input", "", {}, ScanResult::EndOfFile},
        {"only white space", " \t\r\n\v\f", {}, ScanResult::EndOfFile},
        {"overflow and underflow",
         "1e400 -1e400 1e-400",
         {HUGE_VAL, -HUGE_VAL, 0.0},
         ScanResult::EndOfFile},
    };
    for (const DoubleCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<ScannedDouble> read = ReadDoubles(c.input);
        ASSERT_EQ(read.size(), c.converted.size() + 1);
        for (size_t i = 0; i < c.converted.size(); ++i) {
            EXPECT_EQ(read[i].result, ScanResult::Converted);
            EXPECT_EQ(read[i].value, c.converted[i]);
        }
        EXPECT_EQ(read.back().result, c.end);
        EXPECT_EQ(read.back().value, -1.0);  // a failed read stores nothing
    }
}

TEST(TokenScanner, NotANumberIsReadAsOne) {
    for (const char* text : {"nan", "NaN(123)", "-NAN"}) {
        SCOPED_TRACE(text);
        const std::vector<ScannedDouble> read = ReadDoubles(text);
        ASSERT_GE(read.size(), 1u);
        EXPECT_EQ(read[0].result, ScanResult::Converted);
        EXPECT_TRUE(std::isnan(read[0].value));
    }
    EXPECT_EQ(ReadDoubles("nan(1")[0].result, ScanResult::NoMatch);
}

TEST(TokenScanner, IntegersStopAtTheFirstNonDigitAndSaturate) {
    std::stringbuf source("42 -7 +3 12abc 99999999999 -99999999999");
    TokenScanner scanner(source);
    const std::vector<int> expected = {42, -7, 3, 12};
    for (const int value : expected) {
        int read = 0;
        ASSERT_EQ(scanner.ReadInt(read), ScanResult::Converted);
        EXPECT_EQ(read, value);
    }
    int read = 0;
    EXPECT_EQ(scanner.ReadInt(read), ScanResult::NoMatch);  // "abc"
    std::string word;
    scanner.ReadToken(word, 51);
    ASSERT_EQ(scanner.ReadInt(read), ScanResult::Converted);
    EXPECT_EQ(read, std::numeric_limits<int>::max());
    ASSERT_EQ(scanner.ReadInt(read), ScanResult::Converted);
    EXPECT_EQ(read, std::numeric_limits<int>::min());
    EXPECT_EQ(scanner.ReadInt(read), ScanResult::EndOfFile);
}

TEST(TokenScanner, OverLongTokensGiveTheEmptyTextAndAreConsumedWhole) {
    std::stringbuf source("abc abcd\nxy");
    TokenScanner scanner(source);
    std::string token = "old";
    EXPECT_EQ(scanner.ReadToken(token, 3), ScanResult::Converted);
    EXPECT_EQ(token, "abc");
    EXPECT_EQ(scanner.ReadToken(token, 3), ScanResult::Converted);
    EXPECT_EQ(token, "");
    EXPECT_EQ(scanner.ReadToken(token, 3), ScanResult::Converted);
    EXPECT_EQ(token, "xy");
    EXPECT_EQ(scanner.ReadToken(token, 3), ScanResult::EndOfFile);
}

// A source that serves a text and then fails as a file buffer does on a read error.
class FailingSource : public std::stringbuf {
public:
    explicit FailingSource(const std::string& text) : std::stringbuf(text) {}

protected:
    int_type underflow() override {
        const int_type c = std::stringbuf::underflow();
        if (c == traits_type::eof()) {
            throw std::ios_base::failure("read error");
        }
        return c;
    }
};

TEST(TokenScanner, ReadErrorEndsTheInputInsteadOfThrowing) {
    FailingSource source("12.5 7");
    TokenScanner scanner(source);
    double value = 0.0;
    EXPECT_EQ(scanner.ReadDouble(value), ScanResult::Converted);
    EXPECT_EQ(value, 12.5);
    int number = 0;
    // The last token runs into the failure: what was read before it still counts.
    EXPECT_EQ(scanner.ReadInt(number), ScanResult::Converted);
    EXPECT_EQ(number, 7);
    EXPECT_EQ(scanner.ReadInt(number), ScanResult::EndOfFile);
    std::string token;
    EXPECT_EQ(scanner.ReadToken(token, 51), ScanResult::EndOfFile);
}

TEST(TokenScanner, FolderOpenedAsFileReadsAsEmpty) {
    test::TempDir folder;
    std::ifstream file(folder.Path(), std::ios::binary);
    if (!file.is_open()) {
        GTEST_SKIP() << "this system does not open folders as files";
    }
    TokenScanner scanner(*file.rdbuf());
    double value = 0.0;
    EXPECT_EQ(scanner.ReadDouble(value), ScanResult::EndOfFile);
}

TEST(TokenScanner, OverLongNumberDoesNotConvert) {
    const std::string digits(600, '1');
    EXPECT_EQ(ReadDoubles(digits)[0].result, ScanResult::NoMatch);
    EXPECT_EQ(ReadDoubles("0." + std::string(300, '0') + "1")[0].result, ScanResult::Converted);
}

#ifndef _WIN32
// A decimal-comma locale for the C library, as Qt sets it from a Spanish user's environment at
// start-up: the system's es_ES if it is installed, else one compiled from the system's locale
// sources into a temporary folder that LOCPATH points the C library to. Restores the "C" locale
// at the end.
class SpanishLocale {
public:
    SpanishLocale() {
        if (std::setlocale(LC_ALL, "es_ES.UTF-8") != nullptr) {
            m_bActive = true;
            return;
        }
        const std::string target = (m_dir.Path() / "es_ES.UTF-8").string();
        const std::string command = "localedef -i es_ES -f UTF-8 '" + target + "' >/dev/null 2>&1";
        if (std::system(command.c_str()) == -1) {
            return;
        }
        setenv("LOCPATH", m_dir.Path().c_str(), 1);
        m_bActive = std::setlocale(LC_ALL, "es_ES.UTF-8") != nullptr;
    }
    ~SpanishLocale() {
        std::setlocale(LC_ALL, "C");
        unsetenv("LOCPATH");
    }
    bool IsActive() const { return m_bActive; }

private:
    test::TempDir m_dir;
    bool m_bActive = false;
};

TEST(TokenScanner, SpanishLocaleDoesNotTurnTheReaderToDecimalCommas) {
    SpanishLocale spanish;
    if (!spanish.IsActive()) {
        GTEST_SKIP() << "no es_ES locale installed and localedef could not build one";
    }
    // The locale is really in force: the C library now reads decimal commas.
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    ASSERT_EQ(std::strtod("1,5", nullptr), 1.5);

    const std::vector<ScannedDouble> read = ReadDoubles("2.25 1,5");
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(read[0].value, 2.25);
    EXPECT_EQ(read[1].value, 1.0);
    EXPECT_EQ(read[2].result, ScanResult::NoMatch);
}
#endif

}  // namespace
}  // namespace somvix
