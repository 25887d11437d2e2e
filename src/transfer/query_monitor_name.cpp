#include "transfer/query_monitor_name.h"

#include <algorithm>

#include "device/protocol.h"
#include "hostnet/host_adaptation.h"
#include "hostnet/host_address_state.h"
#include "shared/code_page_text.h"

namespace somvix {

namespace {

// Restores the host address (connection kind 0) when the query ends, whichever way it ends.
class AddressRestoration {
public:
    AddressRestoration(HostAddressState& hostAddress, HostAdaptation& adaptation)
        : m_hostAddress(hostAddress), m_adaptation(adaptation) {}
    ~AddressRestoration() {
        if (m_hostAddress.m_connectionKind == ConnectionKind::Cable) {
            m_adaptation.RestoreHostAddress(m_hostAddress, nullptr);
        }
    }
    AddressRestoration(const AddressRestoration&) = delete;
    AddressRestoration& operator=(const AddressRestoration&) = delete;

private:
    HostAddressState& m_hostAddress;
    HostAdaptation& m_adaptation;
};

// A name shows on one line of a question: a line break or another control character would
// break it, and a reply of thousands of bytes would crowd out the question.
bool CanBeAName(const std::string& reply) {
    return reply.size() <= MAX_MONITOR_NAME_BYTES &&
           std::none_of(reply.begin(), reply.end(), [](char character) {
               const auto byte = static_cast<unsigned char>(character);
               return byte < 0x20 || byte == 0x7F;
           });
}

}  // namespace

int QueryMonitorName(HostAddressState& hostAddress, HostAdaptation& adaptation,
                     const ConnectionOptions& options, std::string& name) {
    name.clear();
    // No status window is open yet: the adaptation shows none of its texts.
    if (adaptation.AdaptHostAddress(hostAddress, nullptr) != 0) {
        return -1;
    }
    const AddressRestoration restoration(hostAddress, adaptation);
    DeviceConnection connection;
    if (OpenDeviceConnection(hostAddress.m_strDeviceAddress, connection, options) != 0) {
        return -1;
    }
    std::string deviceName;
    std::string quitReply;
    if (Transact(connection, std::string(COMMAND_DEVICE_NAME), deviceName) != 0 ||
        Transact(connection, std::string(COMMAND_QUIT), quitReply) != 0 ||
        quitReply != REPLY_QUIT_OK) {
        CloseConnection(connection);
        return -1;
    }
    CloseGracefully(connection);
    CloseConnection(connection);
    if (!CanBeAName(deviceName)) {
        return -1;
    }
    name = deviceName;
    return 0;
}

std::string MonitorNameForErase(HostAddressState& hostAddress, HostAdaptation& adaptation,
                                const ConnectionOptions& options) {
    std::string name;
    if (QueryMonitorName(hostAddress, adaptation, options, name) != 0) {
        // Typed by the user, so already the program's own text.
        return hostAddress.m_strHostName;
    }
    return Utf8From1252(name);
}

}  // namespace somvix
