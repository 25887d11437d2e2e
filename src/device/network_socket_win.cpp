#include <winsock2.h>
#include <ws2tcpip.h>

#include <climits>

#include "device/network_socket.h"

// Windows Sockets in the event-select model: the socket signals one event object for the four
// events, and WSAEnumNetworkEvents fetches (and clears) what happened with one error code each.

namespace somvix {

namespace {

SOCKET Handle(std::intptr_t handle) {
    return static_cast<SOCKET>(handle);
}

int ClampCount(std::size_t count) {
    return count > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(count);
}

}  // namespace

int NetworkSocket::StartSocketLibrary() {
    WSADATA data{};
    return WSAStartup(MAKEWORD(2, 2), &data) == 0 ? 0 : -1;
}

int NetworkSocket::Create() {
    Close();
    const SOCKET handle = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (handle == INVALID_SOCKET) {
        return -1;
    }
    m_nHandle = static_cast<std::intptr_t>(handle);
    const WSAEVENT event = WSACreateEvent();
    if (event == WSA_INVALID_EVENT) {
        Close();
        return -1;
    }
    m_pEvent = event;
    return 0;
}

int NetworkSocket::StartConnect(std::uint32_t address, std::uint16_t port) {
    if (!IsOpen()) {
        return -1;
    }
    // From here on the socket is non-blocking.
    if (WSAEventSelect(Handle(m_nHandle), static_cast<WSAEVENT>(m_pEvent),
                       FD_READ | FD_WRITE | FD_CONNECT | FD_CLOSE) == SOCKET_ERROR) {
        return -1;
    }
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(port);
    peer.sin_addr.s_addr = address;
    // The outcome arrives as FD_CONNECT; the immediate result is WSAEWOULDBLOCK.
    connect(Handle(m_nHandle), reinterpret_cast<const sockaddr*>(&peer), sizeof(peer));
    return 0;
}

WaitResult NetworkSocket::Wait(int waitMs, NetworkEvents& events) {
    events = {};
    if (!IsOpen()) {
        return WaitResult::Failed;
    }
    WSAEVENT event = static_cast<WSAEVENT>(m_pEvent);
    const DWORD waited =
        WSAWaitForMultipleEvents(1, &event, FALSE, static_cast<DWORD>(waitMs), FALSE);
    if (waited == WSA_WAIT_TIMEOUT) {
        return WaitResult::TimedOut;
    }
    if (waited == WSA_WAIT_FAILED) {
        return WaitResult::Failed;
    }
    WSANETWORKEVENTS pending{};
    if (WSAEnumNetworkEvents(Handle(m_nHandle), event, &pending) == SOCKET_ERROR) {
        return WaitResult::Failed;
    }
    events.m_bReadable = (pending.lNetworkEvents & FD_READ) != 0;
    events.m_bWritable = (pending.lNetworkEvents & FD_WRITE) != 0;
    events.m_bConnected = (pending.lNetworkEvents & FD_CONNECT) != 0;
    events.m_bClosed = (pending.lNetworkEvents & FD_CLOSE) != 0;
    events.m_nReadError = pending.iErrorCode[FD_READ_BIT];
    events.m_nWriteError = pending.iErrorCode[FD_WRITE_BIT];
    events.m_nConnectError = pending.iErrorCode[FD_CONNECT_BIT];
    events.m_nCloseError = pending.iErrorCode[FD_CLOSE_BIT];
    return WaitResult::Events;
}

SocketIo NetworkSocket::Send(const char* data, std::size_t count, std::size_t& sent) {
    sent = 0;
    const int result = send(Handle(m_nHandle), data, ClampCount(count), 0);
    if (result != SOCKET_ERROR) {
        sent = static_cast<std::size_t>(result);
        return SocketIo::Done;
    }
    return WSAGetLastError() == WSAEWOULDBLOCK ? SocketIo::WouldBlock : SocketIo::Failed;
}

SocketIo NetworkSocket::Receive(char* destination, std::size_t count, std::size_t& received) {
    received = 0;
    const int result = recv(Handle(m_nHandle), destination, ClampCount(count), 0);
    if (result != SOCKET_ERROR) {
        received = static_cast<std::size_t>(result);
        return SocketIo::Done;
    }
    return WSAGetLastError() == WSAEWOULDBLOCK ? SocketIo::WouldBlock : SocketIo::Failed;
}

int NetworkSocket::ShutdownSending() {
    if (!IsOpen()) {
        return -1;
    }
    m_state.m_bCloseOnly = true;
    const int result = shutdown(Handle(m_nHandle), SD_SEND);
    // Only the peer's close may signal the event from now on.
    WSAEventSelect(Handle(m_nHandle), static_cast<WSAEVENT>(m_pEvent), FD_CLOSE);
    return result == SOCKET_ERROR ? -1 : 0;
}

void NetworkSocket::Close() {
    if (IsOpen()) {
        closesocket(Handle(m_nHandle));
    }
    if (m_pEvent != nullptr) {
        WSACloseEvent(static_cast<WSAEVENT>(m_pEvent));
    }
    m_nHandle = INVALID_HANDLE;
    m_state = {};
    m_pEvent = nullptr;
}

}  // namespace somvix
