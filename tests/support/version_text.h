#pragma once

#include <string>

#include "version.h"

namespace somvix::test {

// The build's version, its four parts joined by separator: ", " in the version record, "." on
// the command line.
inline std::string VersionText(const std::string& separator) {
    return std::to_string(VERSION_MAJOR) + separator + std::to_string(VERSION_MINOR) + separator +
           std::to_string(VERSION_PATCH) + separator + std::to_string(VERSION_TWEAK);
}

}  // namespace somvix::test
