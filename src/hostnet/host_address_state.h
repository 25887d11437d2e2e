#pragma once

#include <string>

namespace somvix {

inline constexpr int CONNECTION_CABLE = 0;  // "Cable cruzado Ethernet": monitor at 10.8.0.1
inline constexpr int CONNECTION_LAN = 1;    // "LAN": monitor reached by the typed host name

// The connection choice and the host address state. They live as long as the program (the main
// window, or one run of the command line) and carry over from one device operation to the next.
struct HostAddressState {
    int m_nConnectionKind = CONNECTION_CABLE;
    std::string m_strHostName;       // host name of the "LAN" choice
    std::string m_strDeviceAddress;  // what the device connection connects to
    int m_nLanguage = -1;            // 2 chooses the English adapter name, else Spanish
    bool m_bAddressAdded = false;    // while we added 10.8.0.2 and have not removed it
};

// The state a front end starts with: the cable kind, nothing added, and the language of this
// user's regional settings, by which the network shell finds the adapter.
HostAddressState NewHostAddressState();

}  // namespace somvix
