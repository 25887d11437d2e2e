#pragma once

#include <memory>
#include <string>

#include "hostnet/host_adaptation.h"

namespace somvix {

// The adaptation of this platform. interfaceName names the wired adapter for the cable kind;
// empty means the platform's default choice.
std::unique_ptr<HostAdaptation> MakeHostAdaptation(const std::string& interfaceName);

}  // namespace somvix
