#include <cstdlib>
#include <string_view>

#include "scratch_folder.h"
#include "settings/settings_file.h"

// The settings file; whatever it held, the file written from what was read reads back the same.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace somvix;
    const std::filesystem::path path = fuzz::ScratchFolder() / "configuracion.txt";
    fuzz::WriteScratchFile(path, std::string_view(reinterpret_cast<const char*>(data), size));
    DisplaySettings read;
    if (ReadSettingsFile(path, read) != 0) {
        abort();
    }
    DisplaySettings again;
    again.m_nBadElectrodeThreshold = ~read.m_nBadElectrodeThreshold;  // must be overwritten
    if (WriteSettingsFile(path, read) != 0 || ReadSettingsFile(path, again) != 0 ||
        again.m_nBadElectrodeThreshold != read.m_nBadElectrodeThreshold ||
        again.m_bShowBadContact != read.m_bShowBadContact ||
        again.m_bShowImpedanceOff != read.m_bShowImpedanceOff) {
        abort();
    }
    return 0;
}
