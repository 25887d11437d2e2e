#pragma once

#include <filesystem>
#include <streambuf>

#include "settings/display_settings.h"

namespace somvix {

// The settings file's name; it lives in the program's data folder (see shared/program_dir.h).
inline constexpr const char* SETTINGS_FILE_NAME = "configuracion.txt";

// The keys of the file, in the order the writer puts them.
inline constexpr const char* KEY_BAD_ELECTRODE_THRESHOLD = "UMBRALELECTRODOMAL";
inline constexpr const char* KEY_SHOW_BAD_CONTACT = "VERCONTACTOMAL";
inline constexpr const char* KEY_SHOW_IMPEDANCE_OFF = "VERIMPEDANCIAOFF";

// Threshold 5, both kinds of zone shown.
void SetDefaultSettings(DisplaySettings& settings);

// Reads the entries of a settings file into settings: a count, then that many key and value
// pairs separated by any white space. Keys are compared exactly; an unknown key is skipped
// with its value, a repeated key takes the later value, a key that is absent leaves its member
// as it was. Reading stops early at the end of the file or where a count or value is not a
// decimal integer; what was read before that stays. Returns 0 when the file was opened, -1
// when it could not be or is no regular file (a folder, a FIFO, a device). At most
// MAX_INPUT_FILE_BYTES are read.
int ReadSettingsFile(const std::filesystem::path& path, DisplaySettings& settings);
// The same entries from any source.
void ParseSettings(std::streambuf& source, DisplaySettings& settings);

// Replaces the file's content with the canonical four lines (count 3, the keys in fixed order,
// a tab before each value), with CR LF line ends on every platform. The file is replaced whole
// (ReplaceFileContents): a failed write leaves the old file as it was. Returns 0, or -1 when
// the file could not be written.
int WriteSettingsFile(const std::filesystem::path& path, const DisplaySettings& settings);

// The start-up read: the defaults, then the file. A missing file is created with the defaults;
// a file that is there but cannot be opened leaves the defaults and is not touched.
void LoadSettingsAtStartUp(const std::filesystem::path& path, DisplaySettings& settings);

}  // namespace somvix
