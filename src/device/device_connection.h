#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "device/cancel_request.h"
#include "device/failure_cause.h"
#include "device/network_socket.h"
#include "device/receive_buffer.h"

namespace somvix {

inline constexpr std::uint16_t DEVICE_PORT = 20248;
inline constexpr int NETWORK_WAIT_MS = 15000;  // longest single wait, milliseconds
inline constexpr std::size_t MAX_COMMAND_BYTES = 200;
inline constexpr std::size_t MAX_REPLY_BYTES = 25000;
inline constexpr int CANCEL_CHECK_MS = 100;  // a wait looks at the cancel request this often

// Where and how patiently to connect; the program always uses the defaults, the command line
// may change the port (--port) and tests may shorten the wait. A wait given a cancel request
// ends early, as a failure with the cause Cancelled, once the request is made.
struct ConnectionOptions {
    std::uint16_t port = DEVICE_PORT;
    int waitMs = NETWORK_WAIT_MS;
    const CancelRequest* cancel = nullptr;
};

// One open TCP connection to the monitor, owned by the device operation that opened it. Every
// message in either direction is a 4-byte little-endian length followed by that many bytes of
// text. Move-only; it releases its socket when destroyed. A connection that was never opened,
// or was closed, may be passed to CloseConnection safely.
//
// A receive takes what the socket has, up to RECEIVE_BUFFER_BYTES, and the connection holds the
// bytes not asked for yet: they are handed out before the socket is waited on again.
class DeviceConnection {
public:
    DeviceConnection() = default;
    DeviceConnection(DeviceConnection&&) noexcept = default;
    DeviceConnection& operator=(DeviceConnection&&) noexcept = default;
    DeviceConnection(const DeviceConnection&) = delete;
    DeviceConnection& operator=(const DeviceConnection&) = delete;

    bool IsOpen() const { return m_socket.IsOpen(); }

    // The transport and the wait of this connection, for the operations below.
    NetworkSocket& Socket() { return m_socket; }
    int WaitMs() const { return m_nWaitMs; }
    void SetWaitMs(int waitMs) { m_nWaitMs = waitMs; }
    // The request that cuts the waits short; null: none does.
    const CancelRequest* Cancel() const { return m_pCancel; }
    void SetCancel(const CancelRequest* cancel) { m_pCancel = cancel; }

    // Why the last operation on this connection failed.
    const FailureCause& Cause() const { return m_cause; }
    void SetCause(FailureCause cause) { m_cause = std::move(cause); }
    // The bytes received and not taken yet.
    ReceiveBuffer& Received() { return m_received; }

private:
    NetworkSocket m_socket;
    int m_nWaitMs = NETWORK_WAIT_MS;  // milliseconds
    const CancelRequest* m_pCancel = nullptr;
    FailureCause m_cause;
    ReceiveBuffer m_received;
};

// Waits once for a report of the connection's socket, at most its wait, looking at the cancel
// request meanwhile. 0 with events; -1 with the cause set (no reply, cancelled, lost).
int AwaitEvents(DeviceConnection& connection, NetworkEvents& events);

// Connects to the host (dotted IPv4 address or host name). 0 and an open connection, or -1
// with everything released again and the cause kept in the connection. A name that cannot be
// resolved fails before any connection attempt; the attempt itself gets one wait.
int OpenDeviceConnection(const std::string& host, DeviceConnection& connection,
                         const ConnectionOptions& options = {});
// 0 when the length field and the text have gone; -2 (nothing sent) when the text is longer
// than MAX_COMMAND_BYTES; -1 on failure.
int SendText(DeviceConnection& connection, const std::string& text);
// 0 when count bytes have arrived, in order, at destination; -1 on failure.
int ReceiveExact(DeviceConnection& connection, std::size_t count, char* destination);
// Waits for the socket and receives what it has, adding it to the held bytes. 0 once at least
// one byte more is held; -1 on failure (a wait that ran out, a close, a receive error).
int ReceiveMore(DeviceConnection& connection);
// 0 and the reply text (cut at its first NUL byte); -1 on failure or when the length field is
// above MAX_REPLY_BYTES (the text is then left unread).
int ReceiveText(DeviceConnection& connection, std::string& text);
// SendText, then ReceiveText; 0 only when both succeed.
int Transact(DeviceConnection& connection, const std::string& command, std::string& reply);
// Half-closes the connection and waits once for the peer to close.
void CloseGracefully(DeviceConnection& connection);
// Closes the socket.
void CloseConnection(DeviceConnection& connection);

}  // namespace somvix
