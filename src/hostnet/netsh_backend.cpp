#include "hostnet/netsh_backend.h"

#include <algorithm>
#include <regex>
#include <vector>

namespace somvix {

namespace {

bool ContainsText(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The adapter's name in double quotes: the only quoted item of the command line.
std::string Quoted(const std::string& adapter) {
    return "\"" + adapter + "\"";
}

// The adapter names of the dump's items name="X" (current systems) and name = "X" (older
// ones), in the order they appear.
std::vector<std::string> AdapterNamesInDump(const std::string& dump) {
    static const std::regex item("name ?= ?\"([^\"\r\n]*)\"");
    std::vector<std::string> names;
    for (std::sregex_iterator match(dump.begin(), dump.end(), item), end; match != end; ++match) {
        names.push_back((*match)[1].str());
    }
    return names;
}

}  // namespace

std::string WiredAdapterInDump(const std::string& dump, const std::string& legacyName) {
    static const std::regex wired("Ethernet( [1-9][0-9]{0,2})?");
    const std::vector<std::string> names = AdapterNamesInDump(dump);
    if (std::find(names.begin(), names.end(), legacyName) != names.end()) {
        return {};
    }
    for (const std::string& name : names) {
        if (std::regex_match(name, wired)) {
            return name;
        }
    }
    return {};
}

const char* AdapterName(Language language) {
    return language == Language::English ? ADAPTER_NAME_ENGLISH : ADAPTER_NAME_SPANISH;
}

NetshBackend::NetshBackend(std::unique_ptr<CommandRunner> runner) : m_pRunner(std::move(runner)) {}

std::string NetshBackend::Run(const std::string& program, const std::string& arguments) {
    return m_pRunner->RunCommand(program, arguments);
}

AdapterLook NetshBackend::LookAtAdapter() {
    const std::string dump = Run("netsh", "-c interface dump");
    m_strDump = dump;
    AdapterLook look;
    // Any interface at all, as the dump lists them all.
    look.m_bDhcpInUse = ContainsText(dump, "source = dhcp");
    look.m_bHostAddressPresent = ContainsText(dump, std::string("addr = ") + HOST_ADDRESS);
    look.m_bHostAddressShown = ContainsText(dump, HOST_ADDRESS);
    return look;
}

void NetshBackend::RenewLeases() {
    Run("ipconfig", "/renew");
}

std::string NetshBackend::Adapter(Language language) const {
    const std::string wired = WiredAdapterInDump(m_strDump, AdapterName(language));
    return wired.empty() ? AdapterName(language) : wired;
}

AdditionResult NetshBackend::AddHostAddress(Language language) {
    // Its status spares the second dump; without status 0 a dump tells whether it is there.
    const CommandResult added = m_pRunner->RunCommandChecked(
        "netsh", "interface ip add address " + Quoted(Adapter(language)) + " " + HOST_ADDRESS +
                     " 255.255.255.0");
    return added.m_bSucceeded ? AdditionResult::Confirmed : AdditionResult::Unconfirmed;
}

RemovalResult NetshBackend::RemoveHostAddress(Language language) {
    const std::string output = Run(
        "netsh", "interface ip delete address " + Quoted(Adapter(language)) + " " + HOST_ADDRESS);
    return ContainsText(output, HOST_ADDRESS) ? RemovalResult::StillPresent : RemovalResult::Gone;
}

}  // namespace somvix
