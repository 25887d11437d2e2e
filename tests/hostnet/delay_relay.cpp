#include "hostnet/delay_relay.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <deque>
#include <optional>
#include <vector>

namespace somvix::test {

namespace {

using Clock = std::chrono::steady_clock;

// The relay sleeps until this long before a piece is due and waits the rest without sleeping:
// waking a sleeping processor takes tens of microseconds on a virtual machine, and that late
// start would add to every delay held, twice per round trip.
constexpr std::chrono::microseconds SPIN_BEFORE_DUE{150};

struct Piece {
    Clock::time_point due;
    std::vector<char> bytes;
    std::size_t sent = 0;
};

// One direction of a relayed connection.
struct Direction {
    int from = -1;
    int to = -1;
    std::deque<Piece> pending;
    bool ended = false;   // the sender has closed its side
    bool closed = false;  // the end has been passed on
};

sockaddr_in Address(const std::string& dotted, std::uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    ::inet_pton(AF_INET, dotted.c_str(), &address.sin_addr);
    return address;
}

void NoDelay(int fd) {
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

// The kernel stamps each piece as it arrives: the delay runs from then, as netem's does from the
// moment a packet enters it, so the relay's own late wake-up is not added to it.
void StampArrivals(int fd) {
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_TIMESTAMPNS, &on, sizeof on);
}

// Reads what arrived and when it arrived, on the steady clock; 0 or less as read(2) gives.
ssize_t ReadStamped(int fd, std::vector<char>& bytes, Clock::time_point& arrival) {
    iovec piece{bytes.data(), bytes.size()};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(timespec))];
    msghdr message{};
    message.msg_iov = &piece;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    const ssize_t count = ::recvmsg(fd, &message, 0);
    arrival = Clock::now();
    for (cmsghdr* header = CMSG_FIRSTHDR(&message); header != nullptr;
         header = CMSG_NXTHDR(&message, header)) {
        if (header->cmsg_level != SOL_SOCKET || header->cmsg_type != SCM_TIMESTAMPNS) {
            continue;
        }
        timespec stamp{};
        std::memcpy(&stamp, CMSG_DATA(header), sizeof stamp);
        timespec wall{};
        ::clock_gettime(CLOCK_REALTIME, &wall);
        const auto age = std::chrono::seconds(wall.tv_sec - stamp.tv_sec) +
                         std::chrono::nanoseconds(wall.tv_nsec - stamp.tv_nsec);
        if (age > Clock::duration::zero() && age < std::chrono::milliseconds(100)) {
            arrival -= age;  // an age out of bounds comes from a step of the wall clock
        }
    }
    return count;
}

// Takes in what arrived and passes on what is due; false once the direction is finished.
bool Pump(Direction& direction, bool readable, std::chrono::microseconds delay) {
    if (readable && !direction.ended) {
        std::vector<char> bytes(65536);
        Clock::time_point arrival;
        const ssize_t count = ReadStamped(direction.from, bytes, arrival);
        if (count <= 0) {
            direction.ended = true;
        } else {
            bytes.resize(static_cast<std::size_t>(count));
            direction.pending.push_back({arrival + delay, std::move(bytes)});
        }
    }
    while (!direction.pending.empty() && direction.pending.front().due <= Clock::now()) {
        Piece& piece = direction.pending.front();
        const ssize_t count = ::send(direction.to, piece.bytes.data() + piece.sent,
                                     piece.bytes.size() - piece.sent, MSG_DONTWAIT | MSG_NOSIGNAL);
        if (count <= 0) {
            break;  // the send buffer is full: wait until the socket can take more
        }
        piece.sent += static_cast<std::size_t>(count);
        if (piece.sent == piece.bytes.size()) {
            direction.pending.pop_front();
        }
    }
    if (direction.ended && direction.pending.empty() && !direction.closed) {
        ::shutdown(direction.to, SHUT_WR);
        direction.closed = true;
    }
    return !direction.closed;
}

void Relay(int client, int upstream, std::chrono::microseconds delay) {
    Direction directions[2];
    directions[0].from = client;
    directions[0].to = upstream;
    directions[1].from = upstream;
    directions[1].to = client;
    bool running[2] = {true, true};
    while (running[0] || running[1]) {
        pollfd ready[2] = {{client, 0, 0}, {upstream, 0, 0}};
        std::optional<Clock::duration> wait;
        const Clock::time_point now = Clock::now();
        for (int i = 0; i < 2; ++i) {
            if (!directions[i].ended) {
                ready[i].events |= POLLIN;
            }
            if (directions[i].pending.empty()) {
                continue;
            }
            const Clock::time_point due = directions[i].pending.front().due;
            if (due <= now) {
                ready[1 - i].events |= POLLOUT;  // due but not yet taken by the socket
            } else if (!wait || due - now < *wait) {
                wait = due - now;
            }
        }
        timespec timeout{};
        if (wait) {
            const Clock::duration sleep =
                std::max(*wait - SPIN_BEFORE_DUE, Clock::duration::zero());
            const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(sleep);
            timeout.tv_sec = static_cast<time_t>(nanoseconds.count() / 1000000000);
            timeout.tv_nsec = static_cast<long>(nanoseconds.count() % 1000000000);
        }
        if (::ppoll(ready, 2, wait ? &timeout : nullptr, nullptr) < 0 && errno != EINTR) {
            return;
        }
        for (int i = 0; i < 2; ++i) {
            const bool readable = (ready[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0;
            running[i] = Pump(directions[i], readable, delay);
        }
    }
}

[[noreturn]] void RunRelay(const std::string& listenAddress, std::uint16_t listenPort,
                           const std::string& upstreamAddress, std::uint16_t upstreamPort,
                           std::chrono::microseconds delay, int readyFd) {
    // Timers end when due: the default slack of 50 µs would add to every delay held.
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int on = 1;
    ::setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    const sockaddr_in local = Address(listenAddress, listenPort);
    if (::bind(listener, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0 ||
        ::listen(listener, 4) != 0) {
        ::_exit(1);
    }
    const char ready = 'r';
    (void)::write(readyFd, &ready, 1);
    ::close(readyFd);
    for (;;) {
        const int client = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) {
            continue;
        }
        const int upstream = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const sockaddr_in remote = Address(upstreamAddress, upstreamPort);
        if (::connect(upstream, reinterpret_cast<const sockaddr*>(&remote), sizeof remote) == 0) {
            NoDelay(client);
            NoDelay(upstream);
            StampArrivals(client);
            StampArrivals(upstream);
            Relay(client, upstream, delay);
        }
        ::close(upstream);
        ::close(client);
    }
}

}  // namespace

DelayRelay::DelayRelay(const std::string& nameSpace, const std::string& listenAddress,
                       std::uint16_t listenPort, const std::string& upstreamAddress,
                       std::uint16_t upstreamPort, std::chrono::microseconds oneWayDelay) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        return;
    }
    m_pid = ::fork();
    if (m_pid == 0) {
        ::close(ends[0]);
        const int fd = ::open(("/run/netns/" + nameSpace).c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0 || ::setns(fd, CLONE_NEWNET) != 0) {
            ::_exit(1);
        }
        RunRelay(listenAddress, listenPort, upstreamAddress, upstreamPort, oneWayDelay, ends[1]);
    }
    ::close(ends[1]);
    char ready = 0;
    m_bListening = m_pid > 0 && ::read(ends[0], &ready, 1) == 1;
    ::close(ends[0]);
}

DelayRelay::~DelayRelay() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
}

}  // namespace somvix::test
