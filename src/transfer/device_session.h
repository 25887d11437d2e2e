#pragma once

#include <functional>
#include <string>

#include "device/device_connection.h"

namespace somvix {

class HostAdaptation;
class OperationUi;
struct HostAddressState;

// One conversation of a device operation with the monitor, from the host address adaptation to
// its restoration. The session restores the address (connection kind 0) on every way out once
// the adaptation succeeded, also when it is destroyed without a proper end.
class DeviceSession {
public:
    DeviceSession(HostAddressState& hostAddress, HostAdaptation& adaptation, OperationUi& ui);
    ~DeviceSession();
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    // "Adaptando configuración de red ..." (kind 0), the adaptation, "Conectando..." and the
    // connection. 0 / -1; after -1 the session is over.
    int Open(const ConnectionOptions& options);

    // Text command and reply. 0 / -1; the caller aborts on -1.
    int Transact(const std::string& command, std::string& reply);
    DeviceConnection& Connection() { return m_connection; }
    OperationUi& Ui() { return m_ui; }

    // Closes at once without "QUIT" and restores the address. Returns -1.
    int Abort();

    // The orderly end: progress hidden, "Desconectando ...", "QUIT"; after "QUITOK" a graceful
    // close and the restoration, returning result; anything else aborts (-1).
    int Finish(int result);

private:
    void Restore();

    HostAddressState& m_hostAddress;
    HostAdaptation& m_adaptation;
    OperationUi& m_ui;
    DeviceConnection m_connection;
    int m_bAdapted = 0;  // 1 from a successful adaptation until the restoration
    int m_bOpen = 0;     // 1 while the connection is open
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
// refused login (which ends in order).
int RunLoggedInSession(const std::string& path, HostAddressState& hostAddress,
                       HostAdaptation& adaptation, OperationUi& ui,
                       const ConnectionOptions& options, const LoggedInRun& run);

// The status line that says why a name from the monitor was refused.
void ShowRefusedName(OperationUi& ui, const std::string& name);

}  // namespace somvix
