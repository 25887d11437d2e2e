#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <thread>

#include "sim/peer_socket.h"

namespace somvix::test {

// The accepted connection as a script sees it. Every wait is bounded (10 s by default).
class PeerConnection {
public:
    explicit PeerConnection(sim::StreamSocket socket);

    // One length-prefixed message; false when none could be read.
    bool ReadMessage(std::string& text);
    // Sends bytes as they are, in pieces of pieceBytes (0: at once) with delayMs between them.
    bool Send(std::string_view bytes, std::size_t pieceBytes = 0, int delayMs = 0);
    // Sends a text with its length field.
    bool SendMessage(std::string_view text);
    // Everything that arrives until the client closes (or the wait runs out).
    std::string ReadUntilClosed();
    void Pause(int delayMs);
    // Closes the connection at once.
    void Close();

private:
    sim::StreamSocket m_socket;
};

// A one-connection TCP peer on 127.0.0.1 for byte-exact cases: it listens on a free port, and a
// thread of its own accepts one connection (waiting at most 10 s) and plays the script on it,
// closing the connection when the script returns. Whatever the script records is safe to read
// after Join() (or the destructor).
class ScriptedPeer {
public:
    using Script = std::function<void(PeerConnection&)>;

    explicit ScriptedPeer(Script script);
    ~ScriptedPeer();
    ScriptedPeer(const ScriptedPeer&) = delete;
    ScriptedPeer& operator=(const ScriptedPeer&) = delete;

    std::uint16_t Port() const { return m_nPort; }
    // Whether a client connected and the script ran.
    bool Accepted() const { return m_bAccepted; }
    void Join();

private:
    sim::ListeningSocket m_listener;
    std::uint16_t m_nPort = 0;
    bool m_bAccepted = false;
    std::thread m_thread;
};

// A loopback port that refuses connections: bound by a socket that does not listen, so no other
// program can take it while the test runs.
class RefusingPort {
public:
    RefusingPort();
    ~RefusingPort();
    RefusingPort(const RefusingPort&) = delete;
    RefusingPort& operator=(const RefusingPort&) = delete;

    std::uint16_t Port() const { return m_nPort; }

private:
    int m_nDescriptor = -1;
    std::uint16_t m_nPort = 0;
};

}  // namespace somvix::test
