#include "device/network_socket.h"

#include <utility>

namespace somvix {

NetworkSocket::~NetworkSocket() {
    Close();
}

NetworkSocket::NetworkSocket(NetworkSocket&& other) noexcept {
    *this = std::move(other);
}

NetworkSocket& NetworkSocket::operator=(NetworkSocket&& other) noexcept {
    if (this != &other) {
        Close();
        m_nHandle = std::exchange(other.m_nHandle, INVALID_HANDLE);
        m_pEvent = std::exchange(other.m_pEvent, nullptr);
        m_bConnecting = std::exchange(other.m_bConnecting, false);
        m_nConnectError = std::exchange(other.m_nConnectError, 0);
        m_bWantWritable = std::exchange(other.m_bWantWritable, false);
        m_bReadReported = std::exchange(other.m_bReadReported, false);
        m_bCloseOnly = std::exchange(other.m_bCloseOnly, false);
        m_bPeerFinished = std::exchange(other.m_bPeerFinished, false);
    }
    return *this;
}

}  // namespace somvix
