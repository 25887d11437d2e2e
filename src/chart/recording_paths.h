#pragma once

#include <string>

namespace somvix {

// Title (name without folder and extension) and extension (without the dot) of a chosen file,
// as an open-file dialog reports them.
struct RecordingFileName {
    std::string strTitle;
    std::string strExt;
};

RecordingFileName SplitRecordingPath(const std::string& pathName);

// Whether a chosen file's extension makes it a trend recording: "htr" in any case of letters.
bool IsRecordingExtension(const std::string& fileExt);

// The companion file of a recording: the extension after the path's last "." replaced by
// newExt ("imp", "fhi"): .../x/p01234m.htr gives .../x/p01234m.imp.
std::string CompanionPath(const std::string& pathName, const std::string& fileExt,
                          const std::string& newExt);

// The monitoring folder of a recording: the path less "title.ext", with its final separator.
std::string RecordingFolderPath(const std::string& pathName, const std::string& fileTitle,
                                const std::string& fileExt);

// The monitoring folder's own name: .../x/p01234m.htr gives x.
std::string RecordingFolderName(const std::string& pathName, const std::string& fileTitle,
                                const std::string& fileExt);

// The event file, named after the folder rather than the recording: folder path + "p" + the
// last five characters of the folder name + "m.evt" (pabcm.evt for a folder abc).
std::string EventFilePath(const std::string& pathName, const std::string& fileTitle,
                          const std::string& fileExt);

}  // namespace somvix
