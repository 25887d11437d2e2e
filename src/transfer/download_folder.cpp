#include "transfer/download_folder.h"

#include <filesystem>
#include <system_error>

#include "app/code_page_text.h"
#include "app/operation_ui.h"
#include "transfer/records.h"

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

void EnsureFolder(const std::string& folder) {
    // The root folder "/" is cut to an empty text; it always exists.
    if (folder.empty()) {
        return;
    }
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        fs::create_directory(folder, error);
    }
}

void EmptyFolder(const std::string& folder) {
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        // A folder is not a file: deleting it as one fails, and the emptying stops there.
        if (entry->is_directory(error) && !entry->is_symlink(error)) {
            return;
        }
        if (!fs::remove(entry->path(), error) || error) {
            return;
        }
    }
}

std::string IncompleteDownloadStatement(const std::string& monitoringName,
                                        const std::string& deviceName) {
    return "Se han encontrado datos de la monitorización " + Utf8From1252(monitoringName) + "-" +
           Utf8From1252(deviceName) + ", de una descarga previa aparentemente incompleta.";
}

int PrepareMonitoringFolder(const std::string& monitoringFolder, const std::string& monitoringName,
                            const std::string& deviceName, const PrepareTexts& texts,
                            OperationUi& ui) {
    std::error_code error;
    if (!fs::exists(fs::symlink_status(monitoringFolder, error))) {
        fs::create_directory(monitoringFolder, error);
        return 0;
    }
    const ConfirmAnswer answer =
        ui.Confirm(IncompleteDownloadStatement(monitoringName, deviceName), texts.question);
    if (AnswerOr(answer, texts.whenUnanswered) != ConfirmAnswer::Yes) {
        return 1;
    }
    EmptyFolder(monitoringFolder);
    // Removes the folder only when it is empty by now, as removing a directory does.
    if (!fs::is_directory(fs::symlink_status(monitoringFolder, error)) ||
        !fs::remove(monitoringFolder, error)) {
        ui.ShowMessage(FormatWithText(texts.removalFailed, Utf8From1252(monitoringName)), "Error",
                       MessageIcon::Hand);
        return -1;
    }
    fs::create_directory(monitoringFolder, error);
    return 0;
}

}  // namespace somvix
