#include "device/device_connection.h"

#include <algorithm>
#include <array>
#include <system_error>
#include <utility>

#include "device/byte_order.h"

namespace somvix {

namespace {

// Keeps the cause in the connection; returns -1 for the caller to pass on.
int Fail(DeviceConnection& connection, CauseKind kind, std::string systemText = {}) {
    connection.SetCause({kind, {}, std::move(systemText)});
    return -1;
}

// The cause of a failed connection attempt from the system's error code.
int FailConnect(DeviceConnection& connection, int error) {
    if (std::system_category().default_error_condition(error) == std::errc::connection_refused) {
        return Fail(connection, CauseKind::Refused);
    }
    return Fail(connection, CauseKind::ConnectFailed, std::system_category().message(error));
}

// A wait that ran out, with its length in whole seconds.
int FailNoReply(DeviceConnection& connection) {
    connection.SetCause(
        {CauseKind::NoReply, std::to_string((connection.WaitMs() + 999) / 1000), {}});
    return -1;
}

// A close reported by a wait: what the system said of it, if anything.
int FailClosed(DeviceConnection& connection, int error) {
    return Fail(connection, CauseKind::ConnectionLost,
                error == 0 ? std::string() : std::system_category().message(error));
}

// Sends all bytes; a send that would block waits for writable, one bounded wait at a time.
int SendAll(DeviceConnection& connection, const char* data, std::size_t count) {
    NetworkSocket& socket = connection.Socket();
    std::size_t gone = 0;
    while (gone < count) {
        std::size_t sent = 0;
        const SocketIo result = socket.Send(data + gone, count - gone, sent);
        if (result == SocketIo::Done) {
            gone += sent;
            continue;
        }
        if (result == SocketIo::Failed) {
            return Fail(connection, CauseKind::ConnectionLost);
        }
        for (;;) {
            NetworkEvents events;
            if (AwaitEvents(connection, events) != 0) {
                return -1;
            }
            if (events.m_bClosed) {
                return FailClosed(connection, events.m_nCloseError);
            }
            if (events.m_bWritable && events.m_nWriteError == 0) {
                break;
            }
        }
    }
    return 0;
}

}  // namespace

int AwaitEvents(DeviceConnection& connection, NetworkEvents& events) {
    NetworkSocket& socket = connection.Socket();
    const CancelRequest* cancel = connection.Cancel();
    if (cancel == nullptr) {
        switch (socket.Wait(connection.WaitMs(), events)) {
            case WaitResult::Events:
                return 0;
            case WaitResult::TimedOut:
                return FailNoReply(connection);
            case WaitResult::Failed:
                break;
        }
        return Fail(connection, CauseKind::ConnectionLost);
    }
    // The same one wait, cut into slices so that a cancel request is seen within one of them.
    int leftMs = connection.WaitMs();
    for (;;) {
        if (cancel->IsRequested()) {
            return Fail(connection, CauseKind::Cancelled);
        }
        const int sliceMs = std::min(leftMs, CANCEL_CHECK_MS);
        leftMs -= sliceMs;
        switch (socket.Wait(sliceMs, events)) {
            case WaitResult::Events:
                return 0;
            case WaitResult::TimedOut:
                if (leftMs <= 0) {
                    return FailNoReply(connection);
                }
                continue;
            case WaitResult::Failed:
                break;
        }
        return Fail(connection, CauseKind::ConnectionLost);
    }
}

int OpenDeviceConnection(const std::string& host, DeviceConnection& connection,
                         const ConnectionOptions& options) {
    CloseConnection(connection);
    connection.SetWaitMs(options.waitMs);
    connection.SetCancel(options.cancel);
    connection.SetCause({});
    if (NetworkSocket::StartSocketLibrary() != 0) {
        return Fail(connection, CauseKind::ConnectFailed);
    }
    std::uint32_t address = 0;
    if (NetworkSocket::ResolveHost(host, address) != 0) {
        connection.SetCause({CauseKind::NoSuchHost, host, {}});
        return -1;
    }
    NetworkSocket& socket = connection.Socket();
    if (socket.Create() != 0 || socket.StartConnect(address, options.port) != 0) {
        socket.Close();
        return Fail(connection, CauseKind::ConnectFailed);
    }
    // One wait only: a first report without a clean connected event ends the attempt.
    NetworkEvents events;
    if (AwaitEvents(connection, events) != 0) {
        socket.Close();
        return -1;
    }
    if (!events.m_bConnected || events.m_nConnectError != 0) {
        socket.Close();
        return FailConnect(connection, events.m_nConnectError);
    }
    return 0;
}

int SendText(DeviceConnection& connection, const std::string& text) {
    if (text.size() > MAX_COMMAND_BYTES) {
        return -2;
    }
    if (!connection.IsOpen()) {
        return Fail(connection, CauseKind::ConnectionLost);
    }
    // Length field and text leave in one send: the bytes on the wire are the same, and a lone
    // 4-byte segment would wait for the peer's delayed acknowledgement.
    std::array<char, 4 + MAX_COMMAND_BYTES> message{};
    WriteUint32Le(static_cast<std::uint32_t>(text.size()), message.data());
    text.copy(message.data() + 4, text.size());
    return SendAll(connection, message.data(), 4 + text.size());
}

int ReceiveExact(DeviceConnection& connection, std::size_t count, char* destination) {
    std::size_t held = 0;
    for (;;) {
        held += connection.Received().TakeInto(destination + held, count - held);
        if (held == count) {
            return 0;
        }
        if (ReceiveMore(connection) != 0) {
            return -1;
        }
    }
}

int ReceiveMore(DeviceConnection& connection) {
    if (!connection.IsOpen()) {
        return Fail(connection, CauseKind::ConnectionLost);
    }
    NetworkSocket& socket = connection.Socket();
    ReceiveBuffer& buffer = connection.Received();
    if (buffer.Held().size() >= RECEIVE_BUFFER_BYTES) {
        return -1;  // no room: the held bytes must be taken first
    }
    // No overall deadline: every wait is bounded, and waits follow one another while events
    // keep coming.
    for (;;) {
        NetworkEvents events;
        if (AwaitEvents(connection, events) != 0) {
            return -1;
        }
        // A close reported with the last bytes fails the receive even when they are complete.
        if (events.m_bClosed) {
            return FailClosed(connection, events.m_nCloseError);
        }
        if (!events.m_bReadable || events.m_nReadError != 0) {
            continue;
        }
        std::size_t room = 0;
        char* const space = buffer.FreeSpace(room);
        std::size_t received = 0;
        if (socket.Receive(space, room, received) == SocketIo::Failed) {
            return Fail(connection, CauseKind::ConnectionLost);
        }
        // 0 bytes do not end the loop by themselves: the next wait reports the close.
        if (received > 0) {
            buffer.Add(received);
            return 0;
        }
    }
}

int ReceiveText(DeviceConnection& connection, std::string& text) {
    std::array<char, 4> lengthField{};
    if (ReceiveExact(connection, lengthField.size(), lengthField.data()) != 0) {
        return -1;
    }
    const std::uint32_t length = ReadUint32Le(lengthField.data());
    if (length > MAX_REPLY_BYTES) {
        connection.SetCause({CauseKind::ReplyTooLarge, std::to_string(length), {}});
        return -1;
    }
    std::string reply(length, '\0');
    if (length > 0 && ReceiveExact(connection, length, reply.data()) != 0) {
        return -1;
    }
    const std::size_t nul = reply.find('\0');
    if (nul != std::string::npos) {
        reply.resize(nul);
    }
    text = std::move(reply);
    return 0;
}

int Transact(DeviceConnection& connection, const std::string& command, std::string& reply) {
    if (SendText(connection, command) != 0) {
        return -1;
    }
    return ReceiveText(connection, reply) == 0 ? 0 : -1;
}

void CloseGracefully(DeviceConnection& connection) {
    if (!connection.IsOpen()) {
        return;
    }
    NetworkSocket& socket = connection.Socket();
    socket.ShutdownSending();
    // Whatever the one wait brings (the peer's close or the end of the wait), the caller goes
    // on to CloseConnection.
    NetworkEvents events;
    socket.Wait(connection.WaitMs(), events);
}

void CloseConnection(DeviceConnection& connection) {
    connection.Socket().Close();
    connection.Received().Clear();
}

}  // namespace somvix
