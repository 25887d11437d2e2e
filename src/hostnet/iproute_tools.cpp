#include "hostnet/iproute_tools.h"

#include <functional>
#include <sstream>
#include <vector>

namespace somvix {

namespace {

constexpr const char* HOST_ADDRESS_WITH_PREFIX = "10.8.0.2/24";

// Whether any "inet" line of an address listing passes the test; a line is given as its
// blank-separated words.
bool AnyInetLine(const std::string& dump,
                 const std::function<bool(const std::vector<std::string>&)>& test) {
    std::istringstream lines(dump);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream wordsOfLine(line);
        std::vector<std::string> words;
        for (std::string word; wordsOfLine >> word;) {
            words.push_back(word);
        }
        if (words.size() >= 2 && words[0] == "inet" && test(words)) {
            return true;
        }
    }
    return false;
}

}  // namespace

ToolCommand IprouteTools::DumpCommand() const {
    return {"ip", "-4 addr show dev " + m_strInterface};
}

bool IprouteTools::DhcpInUse(const std::string& dump) const {
    return AnyInetLine(dump, [](const std::vector<std::string>& words) {
        for (const std::string& word : words) {
            if (word == "dynamic") {
                return true;
            }
        }
        return false;
    });
}

bool IprouteTools::AddressPresent(const std::string& dump) const {
    return AnyInetLine(dump, [](const std::vector<std::string>& words) {
        return words[1] == HOST_ADDRESS_WITH_PREFIX;
    });
}

ToolCommand IprouteTools::AddCommand(int /*language*/) const {
    return {"ip",
            std::string("-4 addr add ") + HOST_ADDRESS_WITH_PREFIX + " dev " + m_strInterface};
}

bool IprouteTools::AddressAdded(const std::string& dump) const {
    return AnyInetLine(dump, [](const std::vector<std::string>& words) {
        return words[1].rfind(std::string(HOST_ADDRESS) + "/", 0) == 0;
    });
}

ToolCommand IprouteTools::RemoveCommand(int /*language*/) const {
    return {"ip",
            std::string("-4 addr del ") + HOST_ADDRESS_WITH_PREFIX + " dev " + m_strInterface};
}

bool IprouteTools::AddressStillPresent(const std::string& removeOutput) const {
    if (removeOutput.find_first_not_of(" \t\r\n") == std::string::npos) {
        return false;
    }
    return !ContainsText(removeOutput, "Cannot assign requested address") &&
           !ContainsText(removeOutput, "Cannot find device");
}

ToolCommand IprouteTools::RenewCommand() const {
    return {"networkctl", "renew " + m_strInterface};
}

}  // namespace somvix
