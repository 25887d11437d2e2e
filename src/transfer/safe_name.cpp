#include "transfer/safe_name.h"

namespace somvix {

bool IsSafeName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") {
        return false;
    }
    for (const char character : name) {
        const auto byte = static_cast<unsigned char>(character);
        // ':' names a drive or an alternate data stream on Windows.
        if (character == '/' || character == '\\' || character == ':' || byte < 0x20 ||
            byte == 0x7F) {
            return false;
        }
    }
    return true;
}

}  // namespace somvix
