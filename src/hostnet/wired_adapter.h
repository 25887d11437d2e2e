#pragma once

#include <filesystem>
#include <string>

namespace somvix {

// Environment variable that names the wired adapter for the window program.
inline constexpr const char* INTERFACE_VARIABLE = "SOMVIX_INTERFACE";

// A name the system could give an adapter and that stays one item of a command line: 1 to 15
// bytes, no blank, quote, backslash or slash.
bool IsValidInterfaceName(const std::string& name);

// Whether the adapter's folder (like /sys/class/net/eth0) is that of a physical Ethernet
// adapter: it has a device behind it, is of type Ethernet (1) and is not a wireless adapter.
bool IsWiredAdapter(const std::filesystem::path& adapter);

// The first physical Ethernet adapter that is up, in name order, from the kernel's list of
// adapters (a folder like /sys/class/net): it has a device behind it, is of type Ethernet (1),
// its state is "up" and it is not a wireless adapter. Empty when there is none.
std::string FindWiredAdapter(const std::filesystem::path& adapterFolder = "/sys/class/net");

// The adapter to use: the one named, else the one SOMVIX_INTERFACE names, else the first wired
// one found. Empty when none is found or the name given is not a valid adapter name.
std::string ChooseWiredAdapter(const std::string& named);

}  // namespace somvix
