#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "device/device_connection.h"
#include "device/protocol.h"
#include "transfer/transfer_report.h"

namespace somvix {

class HostAdaptation;
class OperationUi;
struct HostAddressState;

// One conversation of a device operation with the monitor, from the host address adaptation to
// its restoration. The session restores the address (connection kind 0) on every way out once
// the adaptation succeeded, also when it is destroyed without a proper end. It keeps the cause
// of a failure in the run's report.
//
// A cancel request is honoured between steps: the next command is not sent, and the session
// ends in order ("QUIT") since the stream is in step. A request seen during a wait for a reply
// breaks the stream: the session then closes at once.
class DeviceSession {
public:
    DeviceSession(HostAddressState& hostAddress, HostAdaptation& adaptation, OperationUi& ui,
                  TransferReport& report);
    ~DeviceSession();
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    // "Adaptando configuración de red ..." (kind 0), the adaptation, "Conectando..." and the
    // connection. 0 / -1; after -1 the session is over.
    int Open(const ConnectionOptions& options);

    // Text command and reply. 0 / -1; the caller aborts on -1.
    int Transact(const std::string& command, std::string& reply);
    // File command and the file reply stored at path, told to written as it arrives. 0 / -1;
    // the caller aborts on -1.
    int TransactFile(const std::string& command, const std::filesystem::path& path,
                     const FileBytesWritten& written = {});
    OperationUi& Ui() { return m_ui; }
    TransferReport& Report() { return m_report; }

    // 0 when the run goes on; -1 once the user asked to stop (the caller aborts).
    int CheckCancel();

    // Keeps why the run fails; a cause that ended the run is not replaced by a later one.
    // Returns -1.
    int Fail(FailureCause cause);

    // Closes at once without "QUIT" and restores the address; after a cancel seen between
    // steps, ends in order instead. Returns -1.
    int Abort();

    // The orderly end: progress hidden, "Desconectando ...", "QUIT"; after "QUITOK" a graceful
    // close and the restoration, returning result; anything else aborts (-1).
    int Finish(int result);

private:
    void Restore();
    // Closes at once without "QUIT" and restores the address.
    void Close();

    HostAddressState& m_hostAddress;
    HostAdaptation& m_adaptation;
    OperationUi& m_ui;
    TransferReport& m_report;
    DeviceConnection m_connection;
    int m_bAdapted = 0;             // 1 from a successful adaptation until the restoration
    int m_bOpen = 0;                // 1 while the connection is open
    bool m_bStoppedInStep = false;  // cancelled with no command awaiting its reply
};

// How naming and login went.
enum class LoginOutcome {
    Accepted,  // "AUTHOK": go on
    Refused,   // any other reply to "AUTH": end in order with failure
    Broken,    // an exchange failed, or the device name cannot name a folder: abort
};

// "Autenticando...", "SOMVIXNAME" (the reply is the device name) and "AUTH" with the
// credential.
LoginOutcome NameAndLogIn(DeviceSession& session, std::string& deviceName);

// What a device operation does once it is logged in: it takes the session over, with the
// download folder and the device name, and returns the operation's result.
using LoggedInRun = std::function<int(DeviceSession& session, const std::string& downloadFolder,
                                      const std::string& deviceName)>;

// The common start of the download and the erase on the folder of path (the chosen folder, a
// separator and a name): the session is opened, named and logged in, and run goes on from
// there. -1 before run for a path that names no folder, a failed start or exchange, and a
// refused login (which ends in order). What the run did and why it failed go to report.
int RunLoggedInSession(const std::string& path, HostAddressState& hostAddress,
                       HostAdaptation& adaptation, OperationUi& ui,
                       const ConnectionOptions& options, TransferReport& report,
                       const LoggedInRun& run);

// A name or command of the monitor as the user sees it: UTF-8, with every control character
// shown as "?", so that nothing in it can steer a terminal.
std::string PrintableName(const std::string& name);

// The status line that says why a name from the monitor was refused.
void ShowRefusedName(OperationUi& ui, const std::string& name);
// The same, and the refusal kept as the session's cause. Returns -1.
int RefuseNameOf(DeviceSession& session, const std::string& name);

}  // namespace somvix
