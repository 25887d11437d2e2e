// somvixmn-cable-address: adds or removes 10.8.0.2/24 on one wired adapter, and nothing else.
// Started through pkexec by the cable kind of somvixmn and somvixmn-cli, so it runs with the
// administrator's rights on behalf of whoever polkit lets start it; it reads no environment and
// no file but the system's list of adapters.
#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "hostnet/cable_address_request.h"
#include "hostnet/host_address_backend.h"
#include "hostnet/rtnetlink_addresses.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    somvix::HelperRequest request;
    const somvix::HelperCheck check =
        somvix::CheckHelperArguments(arguments, "/sys/class/net", request);
    if (check != somvix::HelperCheck::Ok) {
        std::cerr << "somvixmn-cable-address: " << somvix::HelperCheckText(check) << '\n';
        return 2;
    }
    somvix::RtnetlinkAddresses addresses(request.m_strInterface);
    const bool adding = request.m_action == somvix::HelperAction::Add;
    const int error =
        adding ? addresses.AddAddress(somvix::HOST_ADDRESS, somvix::HOST_PREFIX_LENGTH)
               : addresses.RemoveAddress(somvix::HOST_ADDRESS, somvix::HOST_PREFIX_LENGTH);
    // Already there, or already gone, is what was asked for.
    if (error == 0 || (adding && error == EEXIST) || (!adding && error == EADDRNOTAVAIL)) {
        return 0;
    }
    std::cerr << "somvixmn-cable-address: " << request.m_strInterface << ": "
              << std::strerror(error) << '\n';
    return 1;
}
