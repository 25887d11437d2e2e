#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace somvix {

// What one wait on the socket reported. Each event carries the error state the system gave it
// (0: no error).
struct NetworkEvents {
    bool m_bReadable = false;   // data can be received
    bool m_bWritable = false;   // sending is possible again after a send that would have blocked
    bool m_bConnected = false;  // the connection attempt has completed
    bool m_bClosed = false;     // the peer has closed (or reset) the connection
    int m_nReadError = 0;
    int m_nWriteError = 0;
    int m_nConnectError = 0;
    int m_nCloseError = 0;
};

enum class WaitResult {
    Events,    // something was reported; the events say what
    TimedOut,  // nothing happened within the wait
    Failed,    // the wait itself failed
};

enum class SocketIo {
    Done,        // the byte count says how many moved (a receive of 0 included)
    WouldBlock,  // nothing moved; wait for the next report
    Failed,
};

// A non-blocking IPv4 stream socket with one bounded wait that reports readable, writable,
// connected and closed. It owns its descriptor (and on Windows its event object) and releases
// them when closed, moved over or destroyed.
//
// The reports follow the event-select model: readable is reported once and again only after a
// receive, writable only after a send that would have blocked (never while merely
// idle-writable), connected once per connection attempt, and after ShutdownSending only closed.
class NetworkSocket {
public:
    NetworkSocket() = default;
    ~NetworkSocket();
    NetworkSocket(NetworkSocket&& other) noexcept;
    NetworkSocket& operator=(NetworkSocket&& other) noexcept;
    NetworkSocket(const NetworkSocket&) = delete;
    NetworkSocket& operator=(const NetworkSocket&) = delete;

    // Starts the system's socket library where there is one; it is never stopped. 0 / -1.
    static int StartSocketLibrary();

    // A dotted IPv4 address is taken as it is; any other text is looked up as a host name and
    // its first IPv4 address taken. address is in network byte order. 0 / -1 (no such host).
    static int ResolveHost(const std::string& host, std::uint32_t& address);

    // Creates the socket (closing any previous one). 0 / -1.
    int Create();

    // Selects the events and starts connecting; the outcome comes as the connected report of
    // the next wait. address in network byte order, port in host byte order. 0 / -1.
    int StartConnect(std::uint32_t address, std::uint16_t port);

    // Waits at most waitMs milliseconds for a report.
    WaitResult Wait(int waitMs, NetworkEvents& events);

    SocketIo Send(const char* data, std::size_t count, std::size_t& sent);
    SocketIo Receive(char* destination, std::size_t count, std::size_t& received);

    // Shuts the sending side; from then on waits report only closed. 0 / -1.
    int ShutdownSending();

    void Close();
    bool IsOpen() const { return m_nHandle != INVALID_HANDLE; }

#ifndef _WIN32
    // Takes over a stream descriptor that is already connected (one end of a socketpair, so
    // that the framing can be driven from memory), closing any previous one; non-blocking from
    // here on, and closed with this socket. 0 / -1 (the descriptor is closed then too).
    int Adopt(int descriptor);
#endif

private:
    static constexpr std::intptr_t INVALID_HANDLE = -1;

    // What the POSIX wait needs to present poll() as the event-select model.
    struct EventState {
        bool m_bConnecting = false;    // a connection attempt awaits its report
        int m_nConnectError = 0;       // connect() failed at once: reported by the next wait
        bool m_bWantWritable = false;  // a send would have blocked: report writable when it can go
        bool m_bReadReported = false;  // readable was reported: not again until the next receive
        bool m_bCloseOnly = false;     // after ShutdownSending
        bool m_bPeerFinished = false;  // a receive returned 0: the peer has sent its last byte
    };

    std::intptr_t m_nHandle = INVALID_HANDLE;  // descriptor, or SOCKET on Windows
    void* m_pEvent = nullptr;                  // Windows: the event object the socket signals
    EventState m_state;
};

}  // namespace somvix
