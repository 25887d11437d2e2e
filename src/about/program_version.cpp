#include "about/program_version.h"

#include "about/version_info.h"
#include "version.h"

namespace somvix {

std::string ProgramVersionDotted() {
    // The running program's own version record, as the About box reads it, so both always
    // agree; the build's numbers where the file carries none.
    CVersionInfo self;
    if (self.Create(ModuleHandle{})) {
        const FixedFileInfo& fixed = self.m_fixed;
        return std::to_string(fixed.dwFileVersionMS >> 16) + "." +
               std::to_string(fixed.dwFileVersionMS & 0xFFFF) + "." +
               std::to_string(fixed.dwFileVersionLS >> 16) + "." +
               std::to_string(fixed.dwFileVersionLS & 0xFFFF);
    }
    return std::to_string(VERSION_MAJOR) + "." + std::to_string(VERSION_MINOR) + "." +
           std::to_string(VERSION_PATCH) + "." + std::to_string(VERSION_TWEAK);
}

}  // namespace somvix
