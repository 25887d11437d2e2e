#include "hostnet/system_programs.h"

#include <sys/stat.h>
#include <unistd.h>

#include <sstream>

namespace somvix {

std::string FindSystemProgram(const std::string& name) {
    if (name.empty() || name.find('/') != std::string::npos) {
        return {};
    }
    std::istringstream folders(SYSTEM_PROGRAM_PATH);
    for (std::string folder; std::getline(folders, folder, ':');) {
        const std::string path = folder + "/" + name;
        struct stat status {};
        if (::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
            ::access(path.c_str(), X_OK) == 0) {
            return path;
        }
    }
    return {};
}

}  // namespace somvix
