#include "hostnet/netsh_backend.h"

#include "shared/language.h"

namespace somvix {

namespace {

bool ContainsText(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The adapter's name in double quotes: the only quoted item of the command line.
std::string QuotedAdapter(int language) {
    return std::string("\"") + AdapterName(language) + "\"";
}

}  // namespace

const char* AdapterName(int language) {
    return language == LANGUAGE_ENGLISH ? ADAPTER_NAME_ENGLISH : ADAPTER_NAME_SPANISH;
}

NetshBackend::NetshBackend(std::unique_ptr<CommandRunner> runner) : m_pRunner(std::move(runner)) {}

std::string NetshBackend::Run(const std::string& program, const std::string& arguments) {
    return m_pRunner->RunCommand(program, arguments);
}

AdapterLook NetshBackend::LookAtAdapter() {
    const std::string dump = Run("netsh", "-c interface dump");
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

AdditionResult NetshBackend::AddHostAddress(int language) {
    Run("netsh", "interface ip add address " + QuotedAdapter(language) + " " + HOST_ADDRESS +
                     " 255.255.255.0");
    return AdditionResult::Unconfirmed;
}

RemovalResult NetshBackend::RemoveHostAddress(int language) {
    const std::string output =
        Run("netsh", "interface ip delete address " + QuotedAdapter(language) + " " + HOST_ADDRESS);
    return ContainsText(output, HOST_ADDRESS) ? RemovalResult::StillPresent : RemovalResult::Gone;
}

}  // namespace somvix
