#include <cstdlib>
#include <string_view>

#include "chart/recording_reader.h"
#include "scratch_folder.h"

// The event file of a recording's folder.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace somvix;
    const std::filesystem::path& folder = fuzz::RecordingFolder();
    fuzz::WriteScratchFile(folder / "p01234m.evt",
                           std::string_view(reinterpret_cast<const char*>(data), size));
    // Every open replaces what an earlier one read, so one store serves every input.
    static RecordingStore store;
    if (SelectRecordingFile(store, (folder / "p01234m.htr").string()) != 0) {
        abort();
    }
    ReadEventFile(store, nullptr);
    if (store.m_nEvents < 0 || store.m_nEvents > MAX_EVENTS) {
        abort();
    }
    return 0;
}
