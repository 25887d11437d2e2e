#include <span>

#include "about/version_block.h"
#include "about/version_info.h"

// A program file's version record, read for a user language taken from the first two bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace somvix;
    if (size < 2) {
        return 0;
    }
    const auto language = static_cast<uint16_t>(data[0] | (data[1] << 8));
    const std::span<const uint8_t> record(data + 2, size - 2);
    CVersionInfo info;
    info.ReadRecord(record, language);
    VersionRecordLength(record);
    return 0;
}
