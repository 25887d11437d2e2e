#pragma once

#include <string>

#include "shared/language.h"

namespace somvix {

// How the PC reaches the monitor. The values are the positions of the kinds' texts in the
// communication options list.
enum class ConnectionKind {
    Cable = 0,  // "Cable cruzado Ethernet": monitor at 10.8.0.1
    Lan = 1,    // "LAN": monitor reached by the typed host name
};

// The connection choice and the host address state. They live as long as the program (the main
// window, or one run of the command line) and carry over from one device operation to the next.
struct HostAddressState {
    ConnectionKind m_connectionKind = ConnectionKind::Cable;
    std::string m_strHostName;       // host name of the "LAN" choice
    std::string m_strDeviceAddress;  // what the device connection connects to
    Language m_language = Language::Other;
    bool m_bAddressAdded = false;  // while we added 10.8.0.2 and have not removed it
};

// The state a front end starts with: the cable kind, nothing added, and the language of this
// user's regional settings, by which the network shell finds the adapter.
HostAddressState NewHostAddressState();

}  // namespace somvix
