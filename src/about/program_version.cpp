#include "about/program_version.h"

#include "version.h"

namespace somvix {

std::string ProgramVersionDotted() {
    return std::to_string(VERSION_MAJOR) + "." + std::to_string(VERSION_MINOR) + "." +
           std::to_string(VERSION_PATCH) + "." + std::to_string(VERSION_TWEAK);
}

}  // namespace somvix
