#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace somvix {
namespace {

// What the program prints for the arguments, standard error included.
std::string RunProgram(const std::string& program, const std::string& arguments) {
    const std::string command =
        std::string("'") + SOMVIX_BIN_DIR + "/" + program + "' " + arguments + " 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string output;
    if (pipe == nullptr) {
        return output;
    }
    std::array<char, 4096> buffer{};
    for (size_t length; (length = fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0;) {
        output.append(buffer.data(), length);
    }
    return output;
}

// The page's text with roff's escaped hyphens and font changes taken out.
std::string ReadPage(const std::string& name) {
    std::ifstream file(std::string(SOMVIX_SOURCE_DIR) + "/dist/man/" + name);
    std::stringstream text;
    text << file.rdbuf();
    std::string page = std::regex_replace(text.str(), std::regex(R"(\\-)"), "-");
    return std::regex_replace(page, std::regex(R"(\\f[BIRP])"), "");
}

// Every long option a help text declares (the first one of each of its option lines).
std::vector<std::string> DeclaredOptions(const std::string& help) {
    std::vector<std::string> options;
    const std::regex optionLine(R"(^\s+(?:-\w,)?(--[\w-]+))");
    std::istringstream lines(help);
    for (std::string line; std::getline(lines, line);) {
        if (std::smatch match; std::regex_search(line, match, optionLine)) {
            options.push_back(match[1]);
        }
    }
    return options;
}

// The verbs listed under "Subcommands:" of a help text.
std::vector<std::string> DeclaredVerbs(const std::string& help) {
    std::vector<std::string> verbs;
    const size_t start = help.find("Subcommands:");
    if (start == std::string::npos) {
        return verbs;
    }
    std::istringstream lines(help.substr(start));
    const std::regex verbLine(R"(^  ([a-z]+)\s)");
    for (std::string line; std::getline(lines, line);) {
        if (std::smatch match; std::regex_search(line, match, verbLine)) {
            verbs.push_back(match[1]);
        }
    }
    return verbs;
}

TEST(ManualPages, NameEveryVerbAndOptionTheProgramsDeclare) {
    const struct {
        const char* program;
        const char* page;
        size_t leastVerbs;
    } rows[] = {
        {"somvixmn", "somvixmn.1.in", 0},
        {"somvixmn-cli", "somvixmn-cli.1.in", 5},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.page);
        const std::string page = ReadPage(row.page);
        ASSERT_NE(page.find(".SH EXIT STATUS"), std::string::npos);
        const std::string exitStatus = page.substr(page.find(".SH EXIT STATUS"));
        const std::string help = RunProgram(row.program, "--help");
        std::vector<std::string> options = DeclaredOptions(help);
        EXPECT_GE(options.size(), 2u) << help;
        const std::vector<std::string> verbs = DeclaredVerbs(help);
        EXPECT_GE(verbs.size(), row.leastVerbs) << help;
        for (const std::string& verb : verbs) {
            EXPECT_NE(page.find("\n.SS " + verb + "\n"), std::string::npos) << verb;
            EXPECT_NE(exitStatus.find(verb), std::string::npos) << "exit status of " << verb;
            const std::vector<std::string> verbOptions =
                DeclaredOptions(RunProgram(row.program, verb + " --help"));
            EXPECT_GE(verbOptions.size(), 2u) << verb;
            options.insert(options.end(), verbOptions.begin(), verbOptions.end());
        }
        for (const std::string& option : options) {
            EXPECT_TRUE(std::regex_search(page, std::regex(option + R"((?![\w-]))")))
                << option << " is not in " << row.page;
        }
    }
}

}  // namespace
}  // namespace somvix
