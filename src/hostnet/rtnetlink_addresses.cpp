#include "hostnet/rtnetlink_addresses.h"

#include <arpa/inet.h>
#include <libmnl/libmnl.h>
#include <linux/if_addr.h>
#include <linux/rtnetlink.h>
#include <net/if.h>
#include <sys/socket.h>
#include <sys/time.h>

#include <cerrno>
#include <vector>

#include "hostnet/network_admin_right.h"

namespace somvix {

namespace {

// The kernel answers at once; a bound all the same.
constexpr time_t REPLY_WAIT_SECONDS = 5;
constexpr unsigned REQUEST_SEQUENCE = 1;   // one request per socket
constexpr std::size_t REQUEST_SIZE = 256;  // header, address header and two addresses fit

// One routing socket, bound and waiting at most REPLY_WAIT_SECONDS for a reply; closed at the end.
class RoutingSocket {
public:
    RoutingSocket() : m_pSocket(mnl_socket_open(NETLINK_ROUTE)) {
        if (m_pSocket == nullptr) {
            m_nError = errno;
            return;
        }
        const timeval wait{REPLY_WAIT_SECONDS, 0};
        if (::setsockopt(mnl_socket_get_fd(m_pSocket), SOL_SOCKET, SO_RCVTIMEO, &wait,
                         sizeof wait) != 0 ||
            mnl_socket_bind(m_pSocket, 0, MNL_SOCKET_AUTOPID) != 0) {
            m_nError = errno;
        }
    }
    ~RoutingSocket() {
        if (m_pSocket != nullptr) {
            mnl_socket_close(m_pSocket);
        }
    }
    RoutingSocket(const RoutingSocket&) = delete;
    RoutingSocket& operator=(const RoutingSocket&) = delete;

    // Sends the request and reads the replies to it, handing each data message to the callback
    // (if any), up to the end of a dump or the acknowledgement. 0, or the error number that the
    // kernel answered or the exchange met.
    int Exchange(nlmsghdr* request, mnl_cb_t callback, void* data) {
        if (m_nError != 0) {
            return m_nError;
        }
        request->nlmsg_seq = REQUEST_SEQUENCE;
        if (mnl_socket_sendto(m_pSocket, request, request->nlmsg_len) < 0) {
            return errno;
        }
        const unsigned portId = mnl_socket_get_portid(m_pSocket);
        std::vector<char> buffer(MNL_SOCKET_BUFFER_SIZE);
        for (;;) {
            const ssize_t received = mnl_socket_recvfrom(m_pSocket, buffer.data(), buffer.size());
            if (received < 0) {
                return errno;  // EAGAIN when the wait ran out
            }
            const int result = mnl_cb_run(buffer.data(), static_cast<std::size_t>(received),
                                          REQUEST_SEQUENCE, portId, callback, data);
            if (result == MNL_CB_ERROR) {
                return errno != 0 ? errno : EPROTO;
            }
            if (result == MNL_CB_STOP) {
                return 0;
            }
        }
    }

private:
    mnl_socket* m_pSocket;
    int m_nError = 0;
};

// A request message in a buffer of its own: header, address header, attributes.
class AddressRequest {
public:
    AddressRequest(int type, int flags, unsigned interfaceIndex, int prefixLength)
        : m_buffer(REQUEST_SIZE) {
        m_pMessage = mnl_nlmsg_put_header(m_buffer.data());
        m_pMessage->nlmsg_type = static_cast<std::uint16_t>(type);
        m_pMessage->nlmsg_flags = static_cast<std::uint16_t>(NLM_F_REQUEST | flags);
        auto* header =
            static_cast<ifaddrmsg*>(mnl_nlmsg_put_extra_header(m_pMessage, sizeof(ifaddrmsg)));
        header->ifa_family = AF_INET;
        header->ifa_prefixlen = static_cast<unsigned char>(prefixLength);
        header->ifa_scope = RT_SCOPE_UNIVERSE;
        header->ifa_index = interfaceIndex;
    }
    nlmsghdr* Message() { return m_pMessage; }

private:
    std::vector<char> m_buffer;
    nlmsghdr* m_pMessage;
};

// The attributes of one address message that are read.
struct AddressAttributes {
    const nlattr* local = nullptr;    // the adapter's own address
    const nlattr* address = nullptr;  // the same, or the peer's on a point-to-point link
    const nlattr* flags = nullptr;    // all flags; the header holds only the first eight
};

int TakeAttribute(const nlattr* attribute, void* data) {
    auto* attributes = static_cast<AddressAttributes*>(data);
    if (mnl_attr_validate(attribute, MNL_TYPE_U32) < 0) {
        return MNL_CB_OK;  // of another type than the three read here
    }
    switch (mnl_attr_get_type(attribute)) {
        case IFA_LOCAL:
            attributes->local = attribute;
            break;
        case IFA_ADDRESS:
            attributes->address = attribute;
            break;
        case IFA_FLAGS:
            attributes->flags = attribute;
            break;
        default:
            break;
    }
    return MNL_CB_OK;
}

struct AddressListing {
    unsigned interfaceIndex = 0;
    std::vector<InterfaceAddress>* addresses = nullptr;
};

// One message of the dump: an IPv4 address of our adapter is added to the listing; the dump
// holds every adapter's.
int TakeAddress(const nlmsghdr* message, void* data) {
    auto* listing = static_cast<AddressListing*>(data);
    if (message->nlmsg_type != RTM_NEWADDR ||
        mnl_nlmsg_get_payload_len(message) < sizeof(ifaddrmsg)) {
        return MNL_CB_OK;
    }
    const auto* header = static_cast<const ifaddrmsg*>(mnl_nlmsg_get_payload(message));
    if (header->ifa_family != AF_INET || header->ifa_index != listing->interfaceIndex) {
        return MNL_CB_OK;
    }
    AddressAttributes attributes;
    if (mnl_attr_parse(message, sizeof(ifaddrmsg), TakeAttribute, &attributes) < 0) {
        return MNL_CB_OK;
    }
    const nlattr* own = attributes.local != nullptr ? attributes.local : attributes.address;
    if (own == nullptr) {
        return MNL_CB_OK;
    }
    const std::uint32_t flags =
        attributes.flags != nullptr ? mnl_attr_get_u32(attributes.flags) : header->ifa_flags;
    in_addr value{};
    value.s_addr = mnl_attr_get_u32(own);
    char text[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &value, text, sizeof text);
    // An address without the permanent flag has a lifetime: a DHCP client's lease.
    listing->addresses->push_back({text, header->ifa_prefixlen, (flags & IFA_F_PERMANENT) == 0});
    return MNL_CB_OK;
}

}  // namespace

int RtnetlinkAddresses::ListAddresses(std::vector<InterfaceAddress>& addresses) {
    addresses.clear();
    AddressListing listing{::if_nametoindex(m_strInterface.c_str()), &addresses};
    if (listing.interfaceIndex == 0) {
        return ENODEV;
    }
    RoutingSocket socket;
    AddressRequest request(RTM_GETADDR, NLM_F_DUMP, listing.interfaceIndex, 0);
    return socket.Exchange(request.Message(), TakeAddress, &listing);
}

int RtnetlinkAddresses::AddAddress(const std::string& address, int prefixLength) {
    // Fails when the address is there already, as a second add of one address would.
    return ChangeAddress(RTM_NEWADDR, NLM_F_CREATE | NLM_F_EXCL, address, prefixLength);
}

int RtnetlinkAddresses::RemoveAddress(const std::string& address, int prefixLength) {
    return ChangeAddress(RTM_DELADDR, 0, address, prefixLength);
}

int RtnetlinkAddresses::ChangeAddress(int type, int flags, const std::string& address,
                                      int prefixLength) {
    in_addr value{};
    if (::inet_pton(AF_INET, address.c_str(), &value) != 1 || prefixLength < 0 ||
        prefixLength > 32) {
        return EINVAL;
    }
    const unsigned interfaceIndex = ::if_nametoindex(m_strInterface.c_str());
    if (interfaceIndex == 0) {
        return ENODEV;
    }
    AddressRequest request(type, NLM_F_ACK | flags, interfaceIndex, prefixLength);
    // Both attributes, as for "10.8.0.2/24": a removal then matches the prefix as well.
    mnl_attr_put_u32(request.Message(), IFA_LOCAL, value.s_addr);
    mnl_attr_put_u32(request.Message(), IFA_ADDRESS, value.s_addr);
    // Raised before the socket is made: the kernel may check the right of the socket's opener
    // as well as that of its sender.
    const RaisedNetworkAdminRight right;
    RoutingSocket socket;
    return socket.Exchange(request.Message(), nullptr, nullptr);
}

}  // namespace somvix
