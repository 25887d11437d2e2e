#include "chart/caption.h"

#include "chart/recording_paths.h"

namespace somvix {

std::string MakeCaption(const std::string& fileTitle, const std::string& pathName,
                        const std::string& fileExt, const std::string& startDate,
                        const std::string& startTime) {
    if (fileTitle.empty()) {
        return "SOMVIXMN";
    }
    std::string caption = "SOMVIXMN - " + RecordingFolderName(pathName, fileTitle, fileExt);
    if (!startDate.empty()) {
        caption += " - " + startDate + " - " + startTime;
    }
    return caption;
}

}  // namespace somvix
