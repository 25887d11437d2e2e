#include "hostnet/make_host_adaptation.h"

#include "hostnet/backend_host_adaptation.h"

#if defined(_WIN32)
#include "hostnet/netsh_backend.h"
#elif defined(__linux__)
#include "hostnet/netlink_backend.h"
#include "hostnet/rtnetlink_addresses.h"
#include "hostnet/system_programs.h"
#include "hostnet/wired_adapter.h"
#endif

namespace somvix {

std::unique_ptr<HostAdaptation> MakeHostAdaptation(const std::string& interfaceName) {
#if defined(_WIN32)
    // The network shell finds the adapter by its name in the system's language.
    (void)interfaceName;
    auto backend = std::make_unique<NetshBackend>(std::make_unique<SystemCommandRunner>());
#elif defined(__linux__)
    const std::string adapter = ChooseWiredAdapter(interfaceName);
    // The renewal is the one program started: from the system's folders, with a fixed
    // environment, and never with the network-admin right.
    auto backend = std::make_unique<NetlinkBackend>(
        adapter, std::make_unique<RtnetlinkAddresses>(adapter),
        std::make_unique<SystemCommandRunner>(COMMAND_TIMEOUT, ChildEnvironment::Fixed),
        FindSystemProgram("networkctl"));
#else
#error "no host address backend for this system"
#endif
    return std::make_unique<BackendHostAdaptation>(std::move(backend));
}

}  // namespace somvix
