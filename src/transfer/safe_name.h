#pragma once

#include <string>

namespace somvix {

// Whether a name from the monitor (device name, monitoring name, file name) can stand as one
// component of a path on the PC without leaving its folder: not empty, not "." or "..", and
// without "/", "\", ":" or control characters.
bool IsSafeName(const std::string& name);

}  // namespace somvix
