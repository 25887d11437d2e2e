#pragma once

#include <string>

#include "shared/operation_ui.h"
#include "transfer/transfer_texts.h"

namespace somvix {

#if defined(_WIN32)
inline constexpr char PATH_SEPARATOR = '\\';
#else
inline constexpr char PATH_SEPARATOR = '/';
#endif

// Whether a character separates the levels of a path here ('\' and '/' on Windows, '/' else).
bool IsPathSeparator(char character);

// The folder part of the path a folder choice returns (the folder, a separator and a name):
// everything before the last separator. false when the path holds no separator, so names no
// folder.
bool CutAtLastSeparator(const std::string& path, std::string& folder);

// What a folder choice hands the download for a folder: the folder, a separator (unless it
// ends with one, as the root does) and the name "*".
std::string FolderChoicePath(const std::string& folder);

// folder + separator + name.
std::string JoinPath(const std::string& folder, const std::string& name);

// Creates the folder (its last level only) when it does not exist; true when it made it now. A
// failure shows later, when the first file cannot be created in it.
bool EnsureFolder(const std::string& folder);

// What differs between the download and the erase when a leftover monitoring folder is found.
struct PrepareTexts {
    const char* question;          // of the confirmation dialog
    const char* removalFailed;     // message box text; "%s" is the monitoring name
    ConfirmAnswer whenUnanswered;  // the answer of a question nobody answered
};

// The download goes on without the monitoring, which stays on the monitor; the erase, which
// would remove it next, replaces the incomplete copy first.
inline constexpr PrepareTexts DOWNLOAD_PREPARE_TEXTS = {DOWNLOAD_REPLACE_QUESTION,
                                                        DOWNLOAD_REMOVAL_FAILED, ConfirmAnswer::No};
inline constexpr PrepareTexts ERASE_PREPARE_TEXTS = {ERASE_REPLACE_QUESTION, ERASE_REMOVAL_FAILED,
                                                     ConfirmAnswer::Yes};

// Makes the monitoring folder ready to fetch into. A folder that is already there is a leftover
// of a run that did not finish: the user is asked whether to replace it. Anything else in its
// place (a file, a link) cannot be replaced and is reported without a question.
enum class FolderPrepared {
    Ready,     // the folder exists (new, or emptied and made anew): the monitoring may be fetched
    Declined,  // the user answered No; the folder is left untouched
    Failed,    // the old folder cannot be removed; its message has been shown
};
FolderPrepared PrepareMonitoringFolder(const std::string& monitoringFolder,
                                       const std::string& monitoringName,
                                       const std::string& deviceName, const PrepareTexts& texts,
                                       OperationUi& ui);

}  // namespace somvix
