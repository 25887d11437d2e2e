#include "hostnet/make_host_adaptation.h"

#include "hostnet/backend_host_adaptation.h"

#if defined(_WIN32)
#include "hostnet/netsh_backend.h"
#elif defined(__linux__)
#include <sys/stat.h>

#include "hostnet/cable_addresses.h"
#include "hostnet/netlink_backend.h"
#include "hostnet/network_admin_right.h"
#include "hostnet/rtnetlink_addresses.h"
#include "hostnet/system_programs.h"
#include "hostnet/wired_adapter.h"
#include "shared/install_dirs.h"
#endif

namespace somvix {

#if defined(__linux__)
namespace {

// The helper runs with the administrator's rights: only a file that no one but root could have
// put or changed there is started.
std::string UsableHelper(const char* path) {
    struct stat status {};
    const bool usable = ::stat(path, &status) == 0 && S_ISREG(status.st_mode) &&
                        status.st_uid == 0 && (status.st_mode & (S_IWGRP | S_IWOTH)) == 0 &&
                        (status.st_mode & S_IXUSR) != 0;
    return usable ? path : std::string();
}

}  // namespace
#endif

std::unique_ptr<HostAdaptation> MakeHostAdaptation(const std::string& interfaceName) {
#if defined(_WIN32)
    // The network shell finds the adapter by its name in the system's language.
    (void)interfaceName;
    auto backend = std::make_unique<NetshBackend>(std::make_unique<SystemCommandRunner>());
#elif defined(__linux__)
    const std::string adapter = ChooseWiredAdapter(interfaceName);
    // The renewal is the one program started: from the system's folders, with a fixed
    // environment, and never with the network-admin right.
    CableTools tools;
    tools.m_strNmcli = FindSystemProgram("nmcli");
    tools.m_strPkexec = FindSystemProgram("pkexec");
    tools.m_strHelper = UsableHelper(INSTALL_HELPER_PATH);
    tools.m_bHoldsNetworkAdminRight = HoldsNetworkAdminRight();
    auto backend = std::make_unique<NetlinkBackend>(
        adapter,
        MakeCableAddresses(
            adapter, tools, std::make_unique<RtnetlinkAddresses>(adapter),
            std::make_unique<SystemCommandRunner>(COMMAND_TIMEOUT, ChildEnvironment::Fixed)),
        std::make_unique<SystemCommandRunner>(COMMAND_TIMEOUT, ChildEnvironment::Fixed),
        FindSystemProgram("networkctl"));
#else
#error "no host address backend for this system"
#endif
    return std::make_unique<BackendHostAdaptation>(std::move(backend));
}

}  // namespace somvix
