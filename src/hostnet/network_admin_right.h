#pragma once

namespace somvix {

// Puts the network-admin right into the calling thread's effective set for the object's
// lifetime, where the process is permitted it (root, or the program file's capability
// cap_net_admin+p), and takes it out again at the end, whatever it was before: outside these
// scopes the program does not act with it. It never enters the inheritable or ambient set, so no
// program this process starts receives it. Does nothing where the process is not permitted it.
class RaisedNetworkAdminRight {
public:
    RaisedNetworkAdminRight();
    ~RaisedNetworkAdminRight();
    RaisedNetworkAdminRight(const RaisedNetworkAdminRight&) = delete;
    RaisedNetworkAdminRight& operator=(const RaisedNetworkAdminRight&) = delete;
};

// Where an ordinary user's process holds the network-admin right (the program file's
// capability), gives it up for good; root keeps it. Called before Qt starts: Qt loads plugins
// that the environment can choose (QT_PLUGIN_PATH), and they must not find the right.
#if defined(__linux__)
void GiveUpGrantedNetworkAdminRight();
#else
inline void GiveUpGrantedNetworkAdminRight() {}
#endif

// Whether the process is permitted the network-admin right, so that it may change the adapter's
// addresses itself.
#if defined(__linux__)
bool HoldsNetworkAdminRight();
#else
inline bool HoldsNetworkAdminRight() {
    return false;
}
#endif

}  // namespace somvix
