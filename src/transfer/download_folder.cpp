#include "transfer/download_folder.h"

#include <filesystem>
#include <system_error>

#include "shared/code_page_text.h"
#include "shared/operation_ui.h"
#include "transfer/records.h"
#include "transfer/transfer_texts.h"

namespace somvix {

namespace fs = std::filesystem;

bool IsPathSeparator(char character) {
#if defined(_WIN32)
    return character == '\\' || character == '/';
#else
    return character == '/';
#endif
}

bool CutAtLastSeparator(const std::string& path, std::string& folder) {
    for (std::size_t at = path.size(); at > 0; --at) {
        if (IsPathSeparator(path[at - 1])) {
            folder = path.substr(0, at - 1);
            return true;
        }
    }
    return false;
}

std::string FolderChoicePath(const std::string& folder) {
    if (folder.empty() || !IsPathSeparator(folder.back())) {
        return folder + PATH_SEPARATOR + "*";
    }
    return folder + "*";
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    return folder + PATH_SEPARATOR + name;
}

bool EnsureFolder(const std::string& folder) {
    // The root folder "/" is cut to an empty text; it always exists.
    if (folder.empty()) {
        return false;
    }
    std::error_code error;
    return !fs::is_directory(folder, error) && fs::create_directory(folder, error);
}

FolderPrepared PrepareMonitoringFolder(const std::string& monitoringFolder,
                                       const std::string& monitoringName,
                                       const std::string& deviceName, const PrepareTexts& texts,
                                       OperationUi& ui) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(monitoringFolder, error);
    if (!fs::exists(status)) {
        fs::create_directory(monitoringFolder, error);
        return FolderPrepared::Ready;
    }
    // Only a folder can be what a download left; emptying what a link leads to would delete
    // files outside the download folder.
    if (fs::is_directory(status)) {
        const ConfirmAnswer answer =
            ui.Confirm(IncompleteDownloadStatement(monitoringName, deviceName), texts.question);
        if (AnswerOr(answer, texts.whenUnanswered) != ConfirmAnswer::Yes) {
            return FolderPrepared::Declined;
        }
        EmptyFolder(monitoringFolder);
        // Removes the folder only when it is empty by now, as removing a directory does.
        if (fs::is_directory(fs::symlink_status(monitoringFolder, error)) &&
            fs::remove(monitoringFolder, error)) {
            fs::create_directory(monitoringFolder, error);
            return FolderPrepared::Ready;
        }
    }
    ui.ShowMessage(FormatWithText(texts.removalFailed, Utf8From1252(monitoringName)), ERROR_CAPTION,
                   MessageIcon::Hand);
    return FolderPrepared::Failed;
}

}  // namespace somvix
