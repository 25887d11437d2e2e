#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>

#include "device/network_socket.h"

// poll() only tells whether a descriptor is ready; the event-select model that the connection
// code is written against reports events. This file presents the one as the other:
// - readable is reported once until the next receive, and writable is asked for only after a
//   send would have blocked, so no wait wakes again for what it has already reported;
// - closed comes from POLLRDHUP/POLLHUP/POLLERR where the system offers them, and otherwise from
//   a receive that returned 0: that receive itself reports 0 bytes, and the next wait reports
//   closed without waiting;
// - after the sending side is shut, incoming bytes are drained and dropped until the peer closes.

namespace somvix {

namespace {

#ifdef POLLRDHUP
constexpr short PEER_HANGUP = POLLRDHUP;
#else
constexpr short PEER_HANGUP = 0;
#endif

#ifdef MSG_NOSIGNAL
constexpr int SEND_FLAGS = MSG_NOSIGNAL;  // a send to a closed peer fails instead of killing us
#else
constexpr int SEND_FLAGS = 0;
#endif

int Descriptor(std::intptr_t handle) {
    return static_cast<int>(handle);
}

int PendingSocketError(int descriptor) {
    int error = 0;
    socklen_t length = sizeof(error);
    if (getsockopt(descriptor, SOL_SOCKET, SO_ERROR, &error, &length) != 0) {
        return errno;
    }
    return error;
}

}  // namespace

int NetworkSocket::StartSocketLibrary() {
    return 0;  // POSIX sockets need no library start
}

int NetworkSocket::Create() {
    Close();
    const int descriptor = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (descriptor < 0) {
        return -1;
    }
    m_nHandle = descriptor;
    const int flags = fcntl(descriptor, F_GETFL, 0);
    if (flags < 0 || fcntl(descriptor, F_SETFL, flags | O_NONBLOCK) != 0 ||
        fcntl(descriptor, F_SETFD, FD_CLOEXEC) != 0) {
        Close();
        return -1;
    }
#ifdef SO_NOSIGPIPE
    const int on = 1;
    setsockopt(descriptor, SOL_SOCKET, SO_NOSIGPIPE, &on, sizeof(on));
#endif
    return 0;
}

int NetworkSocket::Adopt(int descriptor) {
    Close();
    if (descriptor < 0) {
        return -1;
    }
    m_nHandle = descriptor;
    const int flags = fcntl(descriptor, F_GETFL, 0);
    if (flags < 0 || fcntl(descriptor, F_SETFL, flags | O_NONBLOCK) != 0) {
        Close();
        return -1;
    }
    return 0;
}

int NetworkSocket::StartConnect(std::uint32_t address, std::uint16_t port) {
    if (!IsOpen()) {
        return -1;
    }
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(port);
    peer.sin_addr.s_addr = address;
    m_state = {};
    m_state.m_bConnecting = true;
    if (connect(Descriptor(m_nHandle), reinterpret_cast<const sockaddr*>(&peer), sizeof(peer)) !=
            0 &&
        errno != EINPROGRESS && errno != EINTR) {
        m_state.m_nConnectError = errno;  // reported by the next wait, as the event model would
    }
    return 0;
}

WaitResult NetworkSocket::Wait(int waitMs, NetworkEvents& events) {
    events = {};
    if (!IsOpen()) {
        return WaitResult::Failed;
    }
    if (m_state.m_bConnecting && m_state.m_nConnectError != 0) {
        m_state.m_bConnecting = false;
        events.m_bConnected = true;
        events.m_nConnectError = m_state.m_nConnectError;
        return WaitResult::Events;
    }
    if (!m_state.m_bConnecting && m_state.m_bPeerFinished) {
        events.m_bClosed = true;
        return WaitResult::Events;
    }
    const int descriptor = Descriptor(m_nHandle);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        pollfd entry{};
        entry.fd = descriptor;
        if (m_state.m_bConnecting) {
            entry.events = POLLOUT;
        } else if (m_state.m_bCloseOnly) {
            entry.events = static_cast<short>(POLLIN | PEER_HANGUP);
        } else {
            entry.events = static_cast<short>((m_state.m_bReadReported ? 0 : POLLIN) | PEER_HANGUP |
                                              (m_state.m_bWantWritable ? POLLOUT : 0));
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        const int ready = poll(&entry, 1, static_cast<int>(std::max<long long>(0, left.count())));
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            return WaitResult::Failed;
        }
        if (ready == 0) {
            return WaitResult::TimedOut;
        }
        const short seen = entry.revents;
        if (m_state.m_bConnecting) {
            m_state.m_bConnecting = false;
            events.m_bConnected = true;
            events.m_nConnectError = PendingSocketError(descriptor);
            return WaitResult::Events;
        }
        if ((seen & POLLERR) != 0) {
            events.m_bClosed = true;
            events.m_nCloseError = PendingSocketError(descriptor);
        } else if ((seen & (POLLHUP | PEER_HANGUP)) != 0) {
            events.m_bClosed = true;
        }
        if (m_state.m_bCloseOnly) {
            if (!events.m_bClosed && (seen & POLLIN) != 0) {
                std::array<char, 4096> dropped{};
                const ssize_t count = recv(descriptor, dropped.data(), dropped.size(), 0);
                if (count == 0) {
                    events.m_bClosed = true;
                } else if (count < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
                    events.m_bClosed = true;
                    events.m_nCloseError = errno;
                }
            }
            if (events.m_bClosed) {
                return WaitResult::Events;
            }
            continue;
        }
        events.m_bReadable = !m_state.m_bReadReported && (seen & POLLIN) != 0;
        m_state.m_bReadReported = events.m_bReadable;
        if (m_state.m_bWantWritable && (seen & POLLOUT) != 0) {
            m_state.m_bWantWritable = false;
            events.m_bWritable = true;
        }
        if (events.m_bReadable || events.m_bWritable || events.m_bClosed) {
            return WaitResult::Events;
        }
    }
}

SocketIo NetworkSocket::Send(const char* data, std::size_t count, std::size_t& sent) {
    sent = 0;
    for (;;) {
        const ssize_t result = send(Descriptor(m_nHandle), data, count, SEND_FLAGS);
        if (result >= 0) {
            sent = static_cast<std::size_t>(result);
            return SocketIo::Done;
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            m_state.m_bWantWritable = true;
            return SocketIo::WouldBlock;
        }
        return SocketIo::Failed;
    }
}

SocketIo NetworkSocket::Receive(char* destination, std::size_t count, std::size_t& received) {
    received = 0;
    m_state.m_bReadReported = false;
    for (;;) {
        const ssize_t result = recv(Descriptor(m_nHandle), destination, count, 0);
        if (result > 0) {
            received = static_cast<std::size_t>(result);
            return SocketIo::Done;
        }
        if (result == 0) {
            if (count > 0) {
                m_state.m_bPeerFinished = true;
            }
            return SocketIo::Done;
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            return SocketIo::WouldBlock;
        }
        return SocketIo::Failed;
    }
}

int NetworkSocket::ShutdownSending() {
    if (!IsOpen()) {
        return -1;
    }
    m_state.m_bCloseOnly = true;
    return shutdown(Descriptor(m_nHandle), SHUT_WR) == 0 ? 0 : -1;
}

void NetworkSocket::Close() {
    if (IsOpen()) {
        close(Descriptor(m_nHandle));
    }
    m_nHandle = INVALID_HANDLE;
    m_state = {};
}

}  // namespace somvix
