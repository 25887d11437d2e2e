#include "settings/settings_file.h"

#include <fstream>
#include <string>
#include <system_error>

#include "settings/decimal_text.h"

namespace somvix {

namespace {

// Longest key token the file format knows; a longer token cannot be a key.
constexpr size_t MAX_KEY_LENGTH = 51;

// Reads a run of non-blank characters. Only the first MAX_KEY_LENGTH + 1 are kept, which is
// enough to tell that a longer token matches no key; the rest is read past. Returns false at
// the end of the file.
bool ScanKey(std::istream& in, std::string& key) {
    while (IsCSpace(in.peek())) {
        in.get();
    }
    key.clear();
    for (int c = in.peek(); c != std::char_traits<char>::eof() && !IsCSpace(c); c = in.peek()) {
        in.get();
        if (key.size() <= MAX_KEY_LENGTH) {
            key += static_cast<char>(c);
        }
    }
    return !key.empty();
}

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
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return -1;
    }
    int count = 0;
    if (!ScanDecimal(in, count)) {
        return 0;
    }
    std::string key;
    for (int entry = 0; entry < count; ++entry) {
        int value = 0;
        if (!ScanKey(in, key) || !ScanDecimal(in, value)) {
            break;
        }
        if (int* member = MemberForKey(key, settings)) {
            *member = value;
        }
    }
    return 0;
}

int WriteSettingsFile(const std::filesystem::path& path, const DisplaySettings& settings) {
    // Written as bytes: the file has CR LF line ends wherever the program runs.
    const std::string text =
        "3\r\n" + std::string(KEY_BAD_ELECTRODE_THRESHOLD) + "\t" +
        std::to_string(settings.m_nBadElectrodeThreshold) + "\r\n" + KEY_SHOW_BAD_CONTACT + "\t" +
        std::to_string(settings.m_bShowBadContact) + "\r\n" + KEY_SHOW_IMPEDANCE_OFF + "\t" +
        std::to_string(settings.m_bShowImpedanceOff) + "\r\n";
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return -1;
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return out ? 0 : -1;
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
