#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace somvix {

// Full path of the running program file, whatever the current directory and however the
// program was started (not argv[0]).
std::filesystem::path ProgramFilePath();

// The folder of the program file.
std::filesystem::path ProgramDirectory();

// The per-user folder for the program's files: $XDG_DATA_HOME/somvixmn (or
// $HOME/.local/share/somvixmn) here, %LOCALAPPDATA%\somvixmn on Windows. Nothing when the
// environment names no absolute folder of the user's: a folder shared with other users (such
// as one in the system's temporary folder) is never taken in its place, since anyone could
// put files or links there.
std::optional<std::filesystem::path> PerUserDataDirectory();

// Whether a file can be created in the folder (tried for real: permission bits alone do not
// tell, for example on a read-only mount).
bool IsWritableDirectory(const std::filesystem::path& folder);

// The system's own folders of installed programs (platform part of InstalledProgramRoots).
std::vector<std::filesystem::path> SystemProgramRoots();

// The folders below which a program file counts as installed: /usr here, and the folder the
// build installs the programs into.
std::vector<std::filesystem::path> InstalledProgramRoots();

// Whether the program folder lies at or below one of the roots (whole names compared: /usr
// holds /usr/local/bin, not /usrlocal).
bool IsInstalledProgramDirectory(const std::filesystem::path& programDirectory,
                                 std::span<const std::filesystem::path> roots);

enum class DataFolderStatus {
    Ready,
    NoPerUserFolder,  // the program may not write beside itself and the user has no folder
    NotCreated,       // the per-user folder could not be created
};

struct DataFolder {
    DataFolderStatus status = DataFolderStatus::Ready;
    std::filesystem::path path;  // when Ready; else the folder that was meant, if any
};

// Where the settings file and the transfer records live: the per-user folder, which is then
// created, for an installed program (even one run by root, who could write beside it) or one
// whose folder is not writable; else the folder of the program file, as a program run from its
// build or unpacked folder has it. Decided here and nowhere else; the window and the command
// line refuse to run without it.
DataFolder DataDirectory();

}  // namespace somvix
