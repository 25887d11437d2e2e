#include "support/scripted_peer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <utility>

namespace somvix::test {

namespace {

constexpr int PEER_WAIT_MS = 10000;

}  // namespace

PeerConnection::PeerConnection(sim::StreamSocket socket) : m_socket(std::move(socket)) {
    m_socket.SetIdleLimit(PEER_WAIT_MS);
}

bool PeerConnection::ReadMessage(std::string& text) {
    return sim::ReadFramedText(m_socket, text, 1u << 20) == 0;
}

bool PeerConnection::Send(std::string_view bytes, std::size_t pieceBytes, int delayMs) {
    if (pieceBytes == 0) {
        return m_socket.SendAll(bytes) == 0;
    }
    for (std::size_t start = 0; start < bytes.size(); start += pieceBytes) {
        if (start > 0) {
            Pause(delayMs);
        }
        if (m_socket.SendAll(bytes.substr(start, pieceBytes)) != 0) {
            return false;
        }
    }
    return true;
}

bool PeerConnection::SendMessage(std::string_view text) {
    return Send(sim::FrameText(text));
}

std::string PeerConnection::ReadUntilClosed() {
    std::string received;
    std::array<char, 4096> buffer{};
    for (;;) {
        const long count = m_socket.ReceiveSome(buffer.data(), buffer.size());
        if (count <= 0) {
            return received;
        }
        received.append(buffer.data(), static_cast<std::size_t>(count));
    }
}

void PeerConnection::Pause(int delayMs) {
    if (delayMs > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
    }
}

void PeerConnection::Close() {
    m_socket.Close();
}

ScriptedPeer::ScriptedPeer(Script script) {
    if (m_listener.Open("127.0.0.1", 0) != 0) {
        return;
    }
    m_nPort = m_listener.Port();
    m_thread = std::thread([this, script = std::move(script)] {
        sim::StreamSocket socket;
        if (m_listener.Accept(socket, -1, PEER_WAIT_MS) != 0) {
            return;
        }
        m_bAccepted = true;
        PeerConnection connection(std::move(socket));
        script(connection);
    });
}

ScriptedPeer::~ScriptedPeer() {
    Join();
}

void ScriptedPeer::Join() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
    m_listener.Close();
}

RefusingPort::RefusingPort() {
    m_nDescriptor = socket(AF_INET, SOCK_STREAM, 0);
    if (m_nDescriptor < 0) {
        return;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    if (bind(m_nDescriptor, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
        getsockname(m_nDescriptor, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        m_nPort = ntohs(address.sin_port);
    }
}

RefusingPort::~RefusingPort() {
    if (m_nDescriptor >= 0) {
        close(m_nDescriptor);
    }
}

}  // namespace somvix::test
