#include "device/network_socket.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#endif

#include <memory>
#include <utility>

namespace somvix {

namespace {

struct AddressListDeleter {
    void operator()(addrinfo* list) const { freeaddrinfo(list); }
};

}  // namespace

int NetworkSocket::ResolveHost(const std::string& host, std::uint32_t& address) {
    if (host.empty()) {
        return -1;
    }
    in_addr parsed{};
    if (inet_pton(AF_INET, host.c_str(), &parsed) == 1) {
        address = parsed.s_addr;
        return 0;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) {
        return -1;
    }
    const std::unique_ptr<addrinfo, AddressListDeleter> list(found);
    address = reinterpret_cast<const sockaddr_in*>(list->ai_addr)->sin_addr.s_addr;
    return 0;
}

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
        m_state = std::exchange(other.m_state, {});
    }
    return *this;
}

}  // namespace somvix
