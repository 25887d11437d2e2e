#include "hostnet/netsh_tools.h"

#include "app/language.h"

namespace somvix {

namespace {

// The adapter's name in double quotes: the only quoted item of the command line.
std::string QuotedAdapter(int language) {
    return std::string("\"") + AdapterName(language) + "\"";
}

}  // namespace

const char* AdapterName(int language) {
    return language == LANGUAGE_ENGLISH ? ADAPTER_NAME_ENGLISH : ADAPTER_NAME_SPANISH;
}

ToolCommand NetshTools::DumpCommand() const {
    return {"netsh", "-c interface dump"};
}

bool NetshTools::DhcpInUse(const std::string& dump) const {
    // Any interface at all, as the dump lists them all.
    return ContainsText(dump, "source = dhcp");
}

bool NetshTools::AddressPresent(const std::string& dump) const {
    return ContainsText(dump, std::string("addr = ") + HOST_ADDRESS);
}

ToolCommand NetshTools::AddCommand(int language) const {
    return {"netsh", "interface ip add address " + QuotedAdapter(language) + " " + HOST_ADDRESS +
                         " 255.255.255.0"};
}

bool NetshTools::AddressAdded(const std::string& dump) const {
    return ContainsText(dump, HOST_ADDRESS);
}

ToolCommand NetshTools::RemoveCommand(int language) const {
    return {"netsh", "interface ip delete address " + QuotedAdapter(language) + " " + HOST_ADDRESS};
}

bool NetshTools::AddressStillPresent(const std::string& removeOutput) const {
    return ContainsText(removeOutput, HOST_ADDRESS);
}

ToolCommand NetshTools::RenewCommand() const {
    return {"ipconfig", "/renew"};
}

}  // namespace somvix
