#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace somvix::sim {

// The server side of the monitor's TCP link, POSIX only: a listening socket and the connections
// it accepts. Every wait is bounded by an idle limit and also ends when a stop descriptor (the
// read end of a self-pipe, or -1 for none) becomes readable.

enum class PeerWait { Ready, TimedOut, Stopped, Failed };

// Waits for events on descriptor, or for the stop descriptor; waitMs < 0 waits without limit.
PeerWait WaitForDescriptor(int descriptor, short events, int stopDescriptor, int waitMs);

class StreamSocket {
public:
    StreamSocket() = default;
    explicit StreamSocket(int descriptor) : m_nDescriptor(descriptor) {}
    ~StreamSocket();
    StreamSocket(StreamSocket&& other) noexcept;
    StreamSocket& operator=(StreamSocket&& other) noexcept;
    StreamSocket(const StreamSocket&) = delete;
    StreamSocket& operator=(const StreamSocket&) = delete;

    // Connects to address:port within waitMs (for tests acting as a client). 0 / -1.
    int Connect(const std::string& address, std::uint16_t port, int waitMs);

    void SetStopDescriptor(int stopDescriptor) { m_nStopDescriptor = stopDescriptor; }
    void SetIdleLimit(int waitMs) { m_nIdleLimitMs = waitMs; }

    // 0 when every byte has gone; -1 on failure, stop or idle limit.
    int SendAll(std::string_view bytes);
    // 0 when count bytes have arrived; -1 when the peer closed first, on failure, stop or limit.
    int ReceiveExact(char* destination, std::size_t count);
    // Whatever arrives next (at most count bytes): the count, 0 when the peer has closed, -1 on
    // failure, stop or idle limit.
    long ReceiveSome(char* destination, std::size_t count);
    // Drops what comes until the peer closes: 0 when it did, -1 on failure, stop or limit.
    int WaitForPeerClose();

    void ShutdownSending();
    void Close();
    bool IsOpen() const { return m_nDescriptor >= 0; }
    int Descriptor() const { return m_nDescriptor; }

private:
    int m_nDescriptor = -1;
    int m_nStopDescriptor = -1;
    int m_nIdleLimitMs = 60000;  // milliseconds
};

class ListeningSocket {
public:
    ListeningSocket() = default;
    ~ListeningSocket();
    ListeningSocket(const ListeningSocket&) = delete;
    ListeningSocket& operator=(const ListeningSocket&) = delete;

    // Listens on a dotted IPv4 address; port 0 takes a free one. 0 / -1.
    int Open(const std::string& address, std::uint16_t port);
    std::uint16_t Port() const { return m_nPort; }

    // The next connection: 0 with it, 1 when stopped or the wait ran out, -1 on failure.
    int Accept(StreamSocket& connection, int stopDescriptor, int waitMs);
    // The address of the last accepted peer, as text.
    const std::string& PeerText() const { return m_strPeer; }

    void Close();

private:
    int m_nDescriptor = -1;
    std::uint16_t m_nPort = 0;
    std::string m_strPeer;
};

// A text message on the wire: the 4-byte little-endian length, then the text.
std::string FrameText(std::string_view text);
// Reads one message; 0 with its text, -1 when it cannot be read or is longer than maxBytes.
int ReadFramedText(StreamSocket& connection, std::string& text, std::size_t maxBytes);

}  // namespace somvix::sim
