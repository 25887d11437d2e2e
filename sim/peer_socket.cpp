#include "sim/peer_socket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <utility>

#include "device/byte_order.h"

namespace somvix::sim {

namespace {

#ifdef MSG_NOSIGNAL
constexpr int SEND_FLAGS = MSG_NOSIGNAL;
#else
constexpr int SEND_FLAGS = 0;
#endif

int MakeNonBlocking(int descriptor) {
    const int flags = fcntl(descriptor, F_GETFL, 0);
    if (flags < 0 || fcntl(descriptor, F_SETFL, flags | O_NONBLOCK) != 0 ||
        fcntl(descriptor, F_SETFD, FD_CLOEXEC) != 0) {
        return -1;
    }
    return 0;
}

bool WouldBlock() {
    return errno == EAGAIN || errno == EWOULDBLOCK;
}

int ParseAddress(const std::string& address, std::uint16_t port, sockaddr_in& result) {
    result = {};
    result.sin_family = AF_INET;
    result.sin_port = htons(port);
    if (inet_pton(AF_INET, address.c_str(), &result.sin_addr) != 1) {
        errno = EINVAL;  // not a dotted IPv4 address
        return -1;
    }
    return 0;
}

// A non-blocking TCP socket and the IPv4 address it is to use: the descriptor, or -1.
int OpenStreamDescriptor(const std::string& address, std::uint16_t port, sockaddr_in& result) {
    if (ParseAddress(address, port, result) != 0) {
        return -1;
    }
    const int descriptor = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (descriptor >= 0 && MakeNonBlocking(descriptor) != 0) {
        close(descriptor);
        return -1;
    }
    return descriptor;
}

}  // namespace

PeerWait WaitForDescriptor(int descriptor, short events, int stopDescriptor, int waitMs) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        std::array<pollfd, 2> entries{};
        entries[0].fd = descriptor;
        entries[0].events = events;
        entries[1].fd = stopDescriptor;  // poll ignores a negative descriptor
        entries[1].events = POLLIN;
        int timeout = -1;
        if (waitMs >= 0) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            timeout = static_cast<int>(std::max<long long>(0, left.count()));
        }
        const int ready = poll(entries.data(), entries.size(), timeout);
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            return PeerWait::Failed;
        }
        if (ready == 0) {
            return PeerWait::TimedOut;
        }
        if (entries[1].revents != 0) {
            return PeerWait::Stopped;
        }
        return PeerWait::Ready;
    }
}

StreamSocket::~StreamSocket() {
    Close();
}

StreamSocket::StreamSocket(StreamSocket&& other) noexcept {
    *this = std::move(other);
}

StreamSocket& StreamSocket::operator=(StreamSocket&& other) noexcept {
    if (this != &other) {
        Close();
        m_nDescriptor = std::exchange(other.m_nDescriptor, -1);
        m_nStopDescriptor = other.m_nStopDescriptor;
        m_nIdleLimitMs = other.m_nIdleLimitMs;
    }
    return *this;
}

int StreamSocket::Connect(const std::string& address, std::uint16_t port, int waitMs) {
    Close();
    sockaddr_in peer{};
    m_nDescriptor = OpenStreamDescriptor(address, port, peer);
    if (m_nDescriptor < 0) {
        return -1;
    }
    if (connect(m_nDescriptor, reinterpret_cast<const sockaddr*>(&peer), sizeof(peer)) != 0) {
        if (errno != EINPROGRESS || WaitForDescriptor(m_nDescriptor, POLLOUT, m_nStopDescriptor,
                                                      waitMs) != PeerWait::Ready) {
            Close();
            return -1;
        }
        int error = 0;
        socklen_t length = sizeof(error);
        if (getsockopt(m_nDescriptor, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) {
            Close();
            return -1;
        }
    }
    return 0;
}

int StreamSocket::SendAll(std::string_view bytes) {
    std::size_t gone = 0;
    while (gone < bytes.size()) {
        const ssize_t sent =
            send(m_nDescriptor, bytes.data() + gone, bytes.size() - gone, SEND_FLAGS);
        if (sent >= 0) {
            gone += static_cast<std::size_t>(sent);
            continue;
        }
        if (errno == EINTR) {
            continue;
        }
        if (!WouldBlock() || WaitForDescriptor(m_nDescriptor, POLLOUT, m_nStopDescriptor,
                                               m_nIdleLimitMs) != PeerWait::Ready) {
            return -1;
        }
    }
    return 0;
}

long StreamSocket::ReceiveSome(char* destination, std::size_t count) {
    for (;;) {
        const ssize_t received = recv(m_nDescriptor, destination, count, 0);
        if (received >= 0) {
            return static_cast<long>(received);
        }
        if (errno == EINTR) {
            continue;
        }
        if (!WouldBlock() || WaitForDescriptor(m_nDescriptor, POLLIN, m_nStopDescriptor,
                                               m_nIdleLimitMs) != PeerWait::Ready) {
            return -1;
        }
    }
}

int StreamSocket::ReceiveExact(char* destination, std::size_t count) {
    std::size_t held = 0;
    while (held < count) {
        const long received = ReceiveSome(destination + held, count - held);
        if (received <= 0) {
            return -1;
        }
        held += static_cast<std::size_t>(received);
    }
    return 0;
}

int StreamSocket::WaitForPeerClose() {
    std::array<char, 4096> dropped{};
    for (;;) {
        const long received = ReceiveSome(dropped.data(), dropped.size());
        if (received == 0) {
            return 0;
        }
        if (received < 0) {
            return -1;
        }
    }
}

void StreamSocket::ShutdownSending() {
    if (IsOpen()) {
        shutdown(m_nDescriptor, SHUT_WR);
    }
}

void StreamSocket::Close() {
    if (IsOpen()) {
        close(m_nDescriptor);
    }
    m_nDescriptor = -1;
}

ListeningSocket::~ListeningSocket() {
    Close();
}

int ListeningSocket::Open(const std::string& address, std::uint16_t port) {
    Close();
    sockaddr_in local{};
    m_nDescriptor = OpenStreamDescriptor(address, port, local);
    if (m_nDescriptor < 0) {
        return -1;
    }
    const int on = 1;
    setsockopt(m_nDescriptor, SOL_SOCKET, SO_REUSEADDR, &on, sizeof(on));
    socklen_t length = sizeof(local);
    if (bind(m_nDescriptor, reinterpret_cast<const sockaddr*>(&local), sizeof(local)) != 0 ||
        listen(m_nDescriptor, 16) != 0 ||
        getsockname(m_nDescriptor, reinterpret_cast<sockaddr*>(&local), &length) != 0) {
        Close();
        return -1;
    }
    m_nPort = ntohs(local.sin_port);
    return 0;
}

int ListeningSocket::Accept(StreamSocket& connection, int stopDescriptor, int waitMs) {
    for (;;) {
        switch (WaitForDescriptor(m_nDescriptor, POLLIN, stopDescriptor, waitMs)) {
            case PeerWait::Ready:
                break;
            case PeerWait::Failed:
                return -1;
            default:
                return 1;
        }
        sockaddr_in peer{};
        socklen_t length = sizeof(peer);
        const int descriptor = accept(m_nDescriptor, reinterpret_cast<sockaddr*>(&peer), &length);
        if (descriptor < 0) {
            // The client may have gone again before we took it; wait for the next one.
            if (WouldBlock() || errno == EINTR || errno == ECONNABORTED) {
                continue;
            }
            return -1;
        }
        if (MakeNonBlocking(descriptor) != 0) {
            close(descriptor);
            return -1;
        }
        // Replies leave in several writes; without this the last small one would wait for the
        // client's delayed acknowledgement.
        const int on = 1;
        setsockopt(descriptor, IPPROTO_TCP, TCP_NODELAY, &on, sizeof(on));
        std::array<char, INET_ADDRSTRLEN> text{};
        inet_ntop(AF_INET, &peer.sin_addr, text.data(), text.size());
        m_strPeer = std::string(text.data()) + ":" + std::to_string(ntohs(peer.sin_port));
        connection = StreamSocket(descriptor);
        connection.SetStopDescriptor(stopDescriptor);
        return 0;
    }
}

void ListeningSocket::Close() {
    if (m_nDescriptor >= 0) {
        close(m_nDescriptor);
    }
    m_nDescriptor = -1;
    m_nPort = 0;
}

std::string FrameText(std::string_view text) {
    std::string message(4, '\0');
    WriteUint32Le(static_cast<std::uint32_t>(text.size()), message.data());
    message.append(text);
    return message;
}

int ReadFramedText(StreamSocket& connection, std::string& text, std::size_t maxBytes) {
    std::array<char, 4> field{};
    if (connection.ReceiveExact(field.data(), field.size()) != 0) {
        return -1;
    }
    const std::uint32_t length = ReadUint32Le(field.data());
    if (length > maxBytes) {
        return -1;
    }
    std::string message(length, '\0');
    if (length > 0 && connection.ReceiveExact(message.data(), length) != 0) {
        return -1;
    }
    text = std::move(message);
    return 0;
}

}  // namespace somvix::sim
