#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "chart/recording_reader.h"
#include "scratch_folder.h"

// The trend, impedance and start files of one recording, with the display settings that the
// zone hiding applies to them.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace somvix;
    FuzzedDataProvider input(data, size);
    DisplaySettings settings;
    settings.m_nBadElectrodeThreshold = input.ConsumeIntegral<int>();
    settings.m_bShowBadContact = input.ConsumeBool() ? 1 : 0;
    settings.m_bShowImpedanceOff = input.ConsumeBool() ? 1 : 0;
    const std::filesystem::path& folder = fuzz::RecordingFolder();
    const std::filesystem::path trend = folder / "p01234m.htr";
    fuzz::WriteScratchFile(folder / "p01234m.fhi", input.ConsumeRandomLengthString());
    fuzz::WriteScratchFile(folder / "p01234m.imp", input.ConsumeRandomLengthString());
    fuzz::WriteScratchFile(trend, input.ConsumeRemainingBytesAsString());
    // Every open replaces what an earlier one read, so one store serves every input.
    static RecordingStore store;
    if (SelectRecordingFile(store, trend.string()) != 0 ||
        LoadRecording(store, settings, nullptr) != 0) {
        abort();  // the files were all there
    }
    if (store.m_nSamples < 0 || store.m_nSamples > MAX_SAMPLES) {
        abort();
    }
    return 0;
}
