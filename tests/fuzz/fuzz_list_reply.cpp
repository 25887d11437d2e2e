#include <cstdlib>
#include <string>

#include "device/protocol.h"
#include "transfer/safe_name.h"

// A list reply as the download and the erase walk it: monitoring names up to the first token
// without "paciente", file names to the end; every token is one path component or refused.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace somvix;
    const std::string reply(reinterpret_cast<const char*>(data), size);
    std::string list = reply;
    std::string name;
    size_t taken = 0;
    while (TakeMonitoringName(list, name) == 0) {
        // Every take shortens the list, so the walk ends.
        if (name.find(' ') != std::string::npos || ++taken > size + 1) {
            abort();
        }
        IsSafeName(name);
    }
    list = reply;
    taken = 0;
    while (TakeToken(list, name) == 0) {
        if (name.find(' ') != std::string::npos || ++taken > size + 1) {
            abort();
        }
        IsSafeName(name);
    }
    if (CountTokens(reply) < 1) {
        abort();
    }
    return 0;
}
