#include "transfer/device_session.h"

#include "device/protocol.h"
#include "hostnet/host_adaptation.h"
#include "hostnet/host_address_state.h"
#include "shared/operation_ui.h"
#include "transfer/download_folder.h"
#include "transfer/safe_name.h"
#include "transfer/transfer_texts.h"

namespace somvix {

DeviceSession::DeviceSession(HostAddressState& hostAddress, HostAdaptation& adaptation,
                             OperationUi& ui)
    : m_hostAddress(hostAddress), m_adaptation(adaptation), m_ui(ui) {}

DeviceSession::~DeviceSession() {
    if (m_bOpen == 1) {
        CloseConnection(m_connection);
    }
    Restore();
}

int DeviceSession::Open(const ConnectionOptions& options) {
    if (m_hostAddress.m_connectionKind == ConnectionKind::Cable) {
        m_ui.SetStatusText(STATUS_ADAPTING);
    }
    // A failed adaptation changed nothing that needs undoing.
    if (m_adaptation.AdaptHostAddress(m_hostAddress, &m_ui) != 0) {
        return -1;
    }
    m_bAdapted = 1;
    m_ui.SetStatusText(STATUS_CONNECTING);
    if (OpenDeviceConnection(m_hostAddress.m_strDeviceAddress, m_connection, options) != 0) {
        Restore();
        return -1;
    }
    m_bOpen = 1;
    return 0;
}

int DeviceSession::Transact(const std::string& command, std::string& reply) {
    return somvix::Transact(m_connection, command, reply);
}

int DeviceSession::Abort() {
    CloseConnection(m_connection);
    m_bOpen = 0;
    Restore();
    return -1;
}

int DeviceSession::Finish(int result) {
    m_ui.HideProgress();
    m_ui.SetStatusText(STATUS_DISCONNECTING);
    std::string reply;
    if (Transact(std::string(COMMAND_QUIT), reply) != 0 || reply != REPLY_QUIT_OK) {
        return Abort();
    }
    CloseGracefully(m_connection);
    CloseConnection(m_connection);
    m_bOpen = 0;
    Restore();
    return result;
}

void DeviceSession::Restore() {
    if (m_bAdapted == 1 && m_hostAddress.m_connectionKind == ConnectionKind::Cable) {
        m_adaptation.RestoreHostAddress(m_hostAddress, &m_ui);
    }
    m_bAdapted = 0;
}

LoginOutcome NameAndLogIn(DeviceSession& session, std::string& deviceName) {
    session.Ui().SetStatusText(STATUS_AUTHENTICATING);
    std::string reply;
    if (session.Transact(std::string(COMMAND_DEVICE_NAME), deviceName) != 0) {
        return LoginOutcome::Broken;
    }
    // The device name names a folder and three record files: refuse it before anything is
    // written.
    if (!IsSafeName(deviceName)) {
        ShowRefusedName(session.Ui(), deviceName);
        return LoginOutcome::Broken;
    }
    if (session.Transact(std::string(COMMAND_AUTH), reply) != 0) {
        return LoginOutcome::Broken;
    }
    return reply == REPLY_AUTH_OK ? LoginOutcome::Accepted : LoginOutcome::Refused;
}

int RunLoggedInSession(const std::string& path, HostAddressState& hostAddress,
                       HostAdaptation& adaptation, OperationUi& ui,
                       const ConnectionOptions& options, const LoggedInRun& run) {
    // A path without a separator names no folder; the root would be the only reading of it.
    std::string downloadFolder;
    if (!CutAtLastSeparator(path, downloadFolder)) {
        return -1;
    }
    DeviceSession session(hostAddress, adaptation, ui);
    if (session.Open(options) != 0) {
        return -1;
    }
    std::string deviceName;
    switch (NameAndLogIn(session, deviceName)) {
        case LoginOutcome::Broken:
            return session.Abort();
        case LoginOutcome::Refused:
            return session.Finish(-1);
        case LoginOutcome::Accepted:
            break;
    }
    return run(session, downloadFolder, deviceName);
}

void ShowRefusedName(OperationUi& ui, const std::string& name) {
    std::string shown;
    for (const char character : name) {
        const auto byte = static_cast<unsigned char>(character);
        shown += (byte < 0x20 || byte == 0x7F) ? '?' : character;
    }
    ui.SetStatusText(RefusedNameStatus(shown));
}

}  // namespace somvix
