#pragma once

#include <string>

namespace somvix {

// Title text of the main window for the open recording: "SOMVIXMN" with no recording,
// "SOMVIXMN - folder" and, when the start date is known, " - date - time" after it.
// pathName is the full path of the .htr file; fileTitle its name without folder and extension.
std::string MakeCaption(const std::string& fileTitle, const std::string& pathName,
                        const std::string& fileExt, const std::string& startDate,
                        const std::string& startTime);

}  // namespace somvix
