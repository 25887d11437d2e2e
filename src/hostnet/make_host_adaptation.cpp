#include "hostnet/make_host_adaptation.h"

#include "hostnet/tool_host_adaptation.h"

#if defined(_WIN32)
#include "hostnet/netsh_tools.h"
#else
#include "hostnet/iproute_tools.h"
#include "hostnet/wired_adapter.h"
#endif

namespace somvix {

std::unique_ptr<HostAdaptation> MakeHostAdaptation(const std::string& interfaceName) {
#if defined(_WIN32)
    // The network shell finds the adapter by its name in the system's language.
    (void)interfaceName;
    std::unique_ptr<NetworkTools> tools = std::make_unique<NetshTools>();
#else
    std::unique_ptr<NetworkTools> tools =
        std::make_unique<IprouteTools>(ChooseWiredAdapter(interfaceName));
#endif
    return std::make_unique<ToolHostAdaptation>(std::make_unique<SystemCommandRunner>(),
                                                std::move(tools));
}

}  // namespace somvix
