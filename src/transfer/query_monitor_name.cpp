#include "transfer/query_monitor_name.h"

#include "device/protocol.h"
#include "hostnet/host_adaptation.h"
#include "hostnet/host_address_state.h"

namespace somvix {

namespace {

// Restores the host address (connection kind 0) when the query ends, whichever way it ends.
class AddressRestoration {
public:
    AddressRestoration(HostAddressState& hostAddress, HostAdaptation& adaptation)
        : m_hostAddress(hostAddress), m_adaptation(adaptation) {}
    ~AddressRestoration() {
        if (m_hostAddress.m_nConnectionKind == CONNECTION_CABLE) {
            m_adaptation.RestoreHostAddress(m_hostAddress, nullptr);
        }
    }
    AddressRestoration(const AddressRestoration&) = delete;
    AddressRestoration& operator=(const AddressRestoration&) = delete;

private:
    HostAddressState& m_hostAddress;
    HostAdaptation& m_adaptation;
};

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
    name = deviceName;
    return 0;
}

}  // namespace somvix
