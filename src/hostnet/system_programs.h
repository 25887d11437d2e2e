#pragma once

#include <string>

namespace somvix {

// The system's own program folders: where a program named without a folder is looked for when
// the caller's PATH may not choose it, and the PATH such a program is given.
inline constexpr const char* SYSTEM_PROGRAM_PATH = "/usr/sbin:/usr/bin:/sbin:/bin";

// The path of the first regular, executable file of that name in the system's program folders;
// empty when there is none or the name holds a slash.
std::string FindSystemProgram(const std::string& name);

}  // namespace somvix
