#pragma once

#include <filesystem>

namespace somvix {

// Full path of the running program file, whatever the current directory and however the
// program was started (not argv[0]).
std::filesystem::path ProgramFilePath();

// The folder of the program file.
std::filesystem::path ProgramDirectory();

// The per-user folder for the program's files: $XDG_DATA_HOME/somvixmn (or
// ~/.local/share/somvixmn) here, %LOCALAPPDATA%\somvixmn on Windows.
std::filesystem::path PerUserDataDirectory();

// Whether a file can be created in the folder (tried for real: permission bits alone do not
// tell, for example on a read-only mount).
bool IsWritableDirectory(const std::filesystem::path& folder);

// Where the settings file and the transfer records live: the folder of the program file, or,
// where that folder is not writable (a program installed system-wide), the per-user folder,
// which is then created. Decided here and nowhere else.
std::filesystem::path DataDirectory();

}  // namespace somvix
