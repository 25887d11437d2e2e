#pragma once

#include <string>

namespace somvix {

// "1.1.0.0": the version as command lines print it.
std::string ProgramVersionDotted();

}  // namespace somvix
