#include "settings/settings_file.h"

#include <string>
#include <system_error>

#include "files/file_access.h"
#include "files/input_file_buffer.h"
#include "shared/token_scanner.h"

namespace somvix {

namespace {

// Longest key token the file format knows; a longer token cannot be a key and reads as empty.
constexpr size_t MAX_KEY_LENGTH = 51;

int* MemberForKey(const std::string& key, DisplaySettings& settings) {
    if (key == KEY_BAD_ELECTRODE_THRESHOLD) {
        return &settings.m_nBadElectrodeThreshold;
    }
    if (key == KEY_SHOW_BAD_CONTACT) {
        return &settings.m_bShowBadContact;
    }
    if (key == KEY_SHOW_IMPEDANCE_OFF) {
        return &settings.m_bShowImpedanceOff;
    }
    return nullptr;
}

}  // namespace

void SetDefaultSettings(DisplaySettings& settings) {
    settings = DisplaySettings{};
}

int ReadSettingsFile(const std::filesystem::path& path, DisplaySettings& settings) {
    InputFileBuffer file;
    if (file.Open(path) != FileOpenResult::Opened) {
        return -1;
    }
    ParseSettings(file, settings);
    return 0;
}

void ParseSettings(std::streambuf& source, DisplaySettings& settings) {
    TokenScanner scanner(source);
    int count = 0;
    if (scanner.ReadInt(count) != ScanResult::Converted) {
        return;
    }
    std::string key;
    for (int entry = 0; entry < count; ++entry) {
        int value = 0;
        if (scanner.ReadToken(key, MAX_KEY_LENGTH) != ScanResult::Converted ||
            scanner.ReadInt(value) != ScanResult::Converted) {
            break;
        }
        if (int* member = MemberForKey(key, settings)) {
            *member = value;
        }
    }
}

int WriteSettingsFile(const std::filesystem::path& path, const DisplaySettings& settings) {
    // Written as bytes: the file has CR LF line ends wherever the program runs.
    const std::string text =
        "3\r\n" + std::string(KEY_BAD_ELECTRODE_THRESHOLD) + "\t" +
        std::to_string(settings.m_nBadElectrodeThreshold) + "\r\n" + KEY_SHOW_BAD_CONTACT + "\t" +
        std::to_string(settings.m_bShowBadContact) + "\r\n" + KEY_SHOW_IMPEDANCE_OFF + "\t" +
        std::to_string(settings.m_bShowImpedanceOff) + "\r\n";
    return ReplaceFileContents(path, text);
}

void LoadSettingsAtStartUp(const std::filesystem::path& path, DisplaySettings& settings) {
    SetDefaultSettings(settings);
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        // A failed look (for example a folder that cannot be searched) is not a missing file:
        // nothing is created then.
        if (!error) {
            WriteSettingsFile(path, settings);
        }
        return;
    }
    ReadSettingsFile(path, settings);
}

}  // namespace somvix
