#include "chart/caption.h"

namespace somvix {

namespace {

bool IsSeparator(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

}  // namespace

std::string MakeCaption(const std::string& fileTitle, const std::string& pathName,
                        const std::string& fileExt, const std::string& startDate,
                        const std::string& startTime) {
    if (fileTitle.empty()) {
        return "SOMVIXMN";
    }
    // Remove "title.ext", then the separator before it, then everything up to the last
    // separator left: what remains is the monitoring folder's name.
    const size_t fileNameLength = fileTitle.size() + 1 + fileExt.size();
    std::string folder = pathName.size() >= fileNameLength
                             ? pathName.substr(0, pathName.size() - fileNameLength)
                             : std::string();
    if (!folder.empty() && IsSeparator(folder.back())) {
        folder.pop_back();
    }
    size_t lastSeparator = std::string::npos;
    for (size_t i = 0; i < folder.size(); ++i) {
        if (IsSeparator(folder[i])) {
            lastSeparator = i;
        }
    }
    if (lastSeparator != std::string::npos) {
        folder.erase(0, lastSeparator + 1);
    }
    std::string caption = "SOMVIXMN - " + folder;
    if (!startDate.empty()) {
        caption += " - " + startDate + " - " + startTime;
    }
    return caption;
}

}  // namespace somvix
