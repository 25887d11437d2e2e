#include "chart/recording_paths.h"

namespace somvix {

namespace {

bool IsSeparator(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

size_t LastSeparator(const std::string& path) {
    for (size_t i = path.size(); i > 0; --i) {
        if (IsSeparator(path[i - 1])) {
            return i - 1;
        }
    }
    return std::string::npos;
}

char ToLowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

RecordingFileName SplitRecordingPath(const std::string& pathName) {
    const size_t separator = LastSeparator(pathName);
    const std::string fileName =
        separator == std::string::npos ? pathName : pathName.substr(separator + 1);
    const size_t dot = fileName.rfind('.');
    if (dot == std::string::npos) {
        return {fileName, {}};
    }
    return {fileName.substr(0, dot), fileName.substr(dot + 1)};
}

bool IsRecordingExtension(const std::string& fileExt) {
    static constexpr char RECORDING_EXT[] = "htr";
    if (fileExt.size() != sizeof(RECORDING_EXT) - 1) {
        return false;
    }
    for (size_t i = 0; i < fileExt.size(); ++i) {
        if (ToLowerAscii(fileExt[i]) != RECORDING_EXT[i]) {
            return false;
        }
    }
    return true;
}

std::string CompanionPath(const std::string& pathName, const std::string& fileExt,
                          const std::string& newExt) {
    std::string path = pathName;
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos) {
        return path + "." + newExt;
    }
    path.erase(dot + 1, fileExt.size());
    return path + newExt;
}

std::string RecordingFolderPath(const std::string& pathName, const std::string& fileTitle,
                                const std::string& fileExt) {
    const size_t fileNameLength = fileTitle.size() + 1 + fileExt.size();
    return pathName.size() >= fileNameLength ? pathName.substr(0, pathName.size() - fileNameLength)
                                             : std::string();
}

std::string RecordingFolderName(const std::string& pathName, const std::string& fileTitle,
                                const std::string& fileExt) {
    std::string folder = RecordingFolderPath(pathName, fileTitle, fileExt);
    if (!folder.empty() && IsSeparator(folder.back())) {
        folder.pop_back();
    }
    const size_t separator = LastSeparator(folder);
    if (separator != std::string::npos) {
        folder.erase(0, separator + 1);
    }
    return folder;
}

std::string EventFilePath(const std::string& pathName, const std::string& fileTitle,
                          const std::string& fileExt) {
    constexpr size_t NAME_DIGITS = 5;
    const std::string folderName = RecordingFolderName(pathName, fileTitle, fileExt);
    const std::string lastFive = folderName.size() > NAME_DIGITS
                                     ? folderName.substr(folderName.size() - NAME_DIGITS)
                                     : folderName;
    return RecordingFolderPath(pathName, fileTitle, fileExt) + "p" + lastFive + "m.evt";
}

}  // namespace somvix
