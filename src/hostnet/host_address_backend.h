#pragma once

#include <string>

#include "shared/language.h"

namespace somvix {

inline constexpr const char* MONITOR_ADDRESS = "10.8.0.1";
inline constexpr const char* HOST_ADDRESS = "10.8.0.2";  // ours on the monitor's subnet
inline constexpr int HOST_PREFIX_LENGTH = 24;            // mask 255.255.255.0

// What one look at the PC's adapters shows.
struct AdapterLook {
    bool m_bDhcpInUse = false;  // an address there is held by a DHCP client
    // 10.8.0.2 in the form this program adds it, so that it can be reused as it is.
    bool m_bHostAddressPresent = false;
    // 10.8.0.2 in any form: enough to count an address just added as there.
    bool m_bHostAddressShown = false;
    bool operator==(const AdapterLook&) const = default;
};

enum class RemovalResult { Gone, StillPresent };

// What an add tells of itself.
enum class AdditionResult {
    Confirmed,    // the system answered that the address is on the adapter now
    Unconfirmed,  // only a look at the adapter tells
};

// How one platform reads, adds and removes the PC's address on the wired adapter. The decisions
// (renew or add, reuse, when the address counts as added, when it is removed) are the
// adaptation's and the same over every backend; a backend only acts and reports what it sees.
// A look that fails shows nothing, and an add that the system did not confirm is looked for on
// the adapter.
class HostAddressBackend {
public:
    virtual ~HostAddressBackend() = default;

    virtual AdapterLook LookAtAdapter() = 0;
    // Asks the DHCP client to renew its leases; whether it did is not examined.
    virtual void RenewLeases() = 0;
    // language chooses the adapter's name where the platform names it by the system's language.
    virtual AdditionResult AddHostAddress(Language language) = 0;
    virtual RemovalResult RemoveHostAddress(Language language) = 0;
    // Why the last add or removal failed, for the status line; empty when nothing says.
    virtual std::string FailureText() const { return {}; }
};

}  // namespace somvix
