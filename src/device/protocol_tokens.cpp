#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

#include "device/protocol.h"

namespace somvix {

namespace {

// Steps shared by TakeToken and TakeMonitoringName once the list is known not to be empty,
// or when an empty list is to give an empty token.
void SplitFirstToken(std::string& list, std::string& token) {
    const std::size_t blank = list.find(' ');
    if (blank == std::string::npos) {
        token = std::move(list);
        list.clear();
        return;
    }
    token = list.substr(0, blank);
    list.erase(0, blank + 1);
}

std::string LowerAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

int TakeToken(std::string& list, std::string& token) {
    if (list.empty()) {
        return -1;
    }
    SplitFirstToken(list, token);
    return 0;
}

int TakeMonitoringName(std::string& list, std::string& name) {
    SplitFirstToken(list, name);
    return name.find(MONITORING_MARK) != std::string::npos ? 0 : -1;
}

int CountTokens(const std::string& text) {
    return 1 + static_cast<int>(std::count(text.begin(), text.end(), ' '));
}

int CheckFileSize(std::uint32_t size, const std::string& path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos) {
        return -1;
    }
    struct Limit {
        const char* m_szExtension;
        std::uint32_t m_nMaxBytes;
    };
    static constexpr std::array<Limit, 5> LIMITS = {{
        {".eeg", MAX_EEG_FILE_BYTES},
        {".htr", MAX_DATA_FILE_BYTES},
        {".fhi", MAX_FHI_FILE_BYTES},
        {".evt", MAX_DATA_FILE_BYTES},
        {".imp", MAX_DATA_FILE_BYTES},
    }};
    const std::string extension = LowerAscii(path.substr(dot));
    std::uint32_t limit = 0;
    for (const Limit& entry : LIMITS) {
        if (extension == entry.m_szExtension) {
            limit = entry.m_nMaxBytes;
        }
    }
    return size <= limit ? 0 : -1;
}

}  // namespace somvix
