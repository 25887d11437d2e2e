#include "transfer/device_session.h"

#include <cstdint>

#include "device/protocol.h"
#include "hostnet/host_adaptation.h"
#include "hostnet/host_address_state.h"
#include "shared/code_page_text.h"
#include "shared/operation_ui.h"
#include "transfer/download_folder.h"
#include "transfer/safe_name.h"
#include "transfer/transfer_texts.h"

namespace somvix {

namespace {

// The monitor's text with control characters as "?", still in its code page.
std::string Printable(const std::string& name) {
    std::string shown;
    for (const char character : name) {
        const auto byte = static_cast<unsigned char>(character);
        shown += (byte < 0x20 || byte == 0x7F) ? '?' : character;
    }
    return shown;
}

}  // namespace

std::string PrintableName(const std::string& name) {
    return Utf8From1252(Printable(name));
}

DeviceSession::DeviceSession(HostAddressState& hostAddress, HostAdaptation& adaptation,
                             OperationUi& ui, TransferReport& report)
    : m_hostAddress(hostAddress), m_adaptation(adaptation), m_ui(ui), m_report(report) {}

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
        return Fail({CauseKind::Adaptation, {}, m_adaptation.FailureText()});
    }
    m_bAdapted = 1;
    if (options.cancel != nullptr && options.cancel->IsRequested()) {
        Restore();
        return Fail({CauseKind::Cancelled, {}, {}});
    }
    m_ui.SetStatusText(STATUS_CONNECTING);
    if (OpenDeviceConnection(m_hostAddress.m_strDeviceAddress, m_connection, options) != 0) {
        Restore();
        return Fail(m_connection.Cause());
    }
    m_bOpen = 1;
    return 0;
}

int DeviceSession::Transact(const std::string& command, std::string& reply) {
    if (CheckCancel() != 0) {
        return -1;
    }
    if (somvix::Transact(m_connection, command, reply) != 0) {
        return Fail(m_connection.Cause());
    }
    // The credential stays off the screen.
    m_ui.ShowExchange(command == COMMAND_AUTH ? command.substr(0, command.find(' ')) : command,
                      reply.size());
    return 0;
}

int DeviceSession::TransactFile(const std::string& command, const std::filesystem::path& path,
                                const FileBytesWritten& written) {
    if (CheckCancel() != 0) {
        return -1;
    }
    // The reply tells the size; no need to ask the disk again for the exchange line.
    std::uint32_t size = 0;
    const auto noted = [&](std::uint32_t bytes, std::uint32_t replySize) {
        size = replySize;
        if (written) {
            written(bytes, replySize);
        }
    };
    if (somvix::TransactFile(m_connection, command, path, noted) != 0) {
        return Fail(m_connection.Cause());
    }
    m_ui.ShowExchange(command, size);
    return 0;
}

int DeviceSession::CheckCancel() {
    const CancelRequest* cancel = m_connection.Cancel();
    if (cancel == nullptr || !cancel->IsRequested()) {
        return 0;
    }
    m_bStoppedInStep = true;
    return Fail({CauseKind::Cancelled, {}, {}});
}

int DeviceSession::Fail(FailureCause cause) {
    // A name refused lets the run go on, so whatever ends it later says more.
    const CauseKind kept = m_report.cause.m_kind;
    if (kept == CauseKind::None || kept == CauseKind::NameRefused) {
        m_report.cause = std::move(cause);
    }
    return -1;
}

int DeviceSession::Abort() {
    if (m_bStoppedInStep) {
        // Nothing awaits a reply: the monitor is told goodbye as after any run.
        return Finish(-1);
    }
    Close();
    return -1;
}

int DeviceSession::Finish(int result) {
    m_ui.HideProgress();
    m_ui.SetStatusText(STATUS_DISCONNECTING);
    // The goodbye is sent after a cancel too, and gets its whole wait.
    m_connection.SetCancel(nullptr);
    std::string reply;
    if (Transact(std::string(COMMAND_QUIT), reply) != 0) {
        Close();
        return -1;
    }
    if (reply != REPLY_QUIT_OK) {
        Close();
        return Fail({CauseKind::EndRefused, reply, {}});
    }
    CloseGracefully(m_connection);
    CloseConnection(m_connection);
    m_bOpen = 0;
    Restore();
    return result;
}

void DeviceSession::Close() {
    CloseConnection(m_connection);
    m_bOpen = 0;
    Restore();
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
        RefuseNameOf(session, deviceName);
        return LoginOutcome::Broken;
    }
    if (session.Transact(std::string(COMMAND_AUTH), reply) != 0) {
        return LoginOutcome::Broken;
    }
    if (reply != REPLY_AUTH_OK) {
        session.Fail({CauseKind::LoginRefused, reply, {}});
        return LoginOutcome::Refused;
    }
    return LoginOutcome::Accepted;
}

int RunLoggedInSession(const std::string& path, HostAddressState& hostAddress,
                       HostAdaptation& adaptation, OperationUi& ui,
                       const ConnectionOptions& options, TransferReport& report,
                       const LoggedInRun& run) {
    // A path without a separator names no folder; the root would be the only reading of it.
    std::string downloadFolder;
    if (!CutAtLastSeparator(path, downloadFolder)) {
        report.cause = {CauseKind::WriteFailed, path, {}};
        return -1;
    }
    DeviceSession session(hostAddress, adaptation, ui, report);
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
    ui.SetStatusText(RefusedNameStatus(Printable(name)));
}

int RefuseNameOf(DeviceSession& session, const std::string& name) {
    ShowRefusedName(session.Ui(), name);
    session.Report().refused.push_back(name);
    return session.Fail({CauseKind::NameRefused, Printable(name), {}});
}

}  // namespace somvix
