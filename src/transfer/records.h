#pragma once

#include <filesystem>
#include <set>
#include <string>

#include "transfer/transfer_platform.h"

namespace somvix {

// The three records kept for each monitor in the records folder. They are the same files on
// every platform: lines end with CR LF when written, and any line end is accepted when read.
struct RecordPaths {
    std::filesystem::path downloadedList;  // device name + ".txt": one monitoring per line
    std::filesystem::path downloadLog;     // "descargas-" + device name + ".txt"
    std::filesystem::path eraseLog;        // "eliminados-" + device name + ".txt"
};

RecordPaths MakeRecordPaths(const std::filesystem::path& recordsDir, const std::string& deviceName);

// The two forms of a run's heading; "%s" stands for the date, "\n" for a line end.
struct LogHeading {
    const char* newFileForm;
    const char* existingFileForm;
};

inline constexpr LogHeading DOWNLOAD_HEADING = {"\t--- %s ---\n\n", "\n\t--- %s ---\n\n"};
inline constexpr LogHeading ERASE_DOWNLOAD_HEADING = {"\t--- Descarga por vaciado %s ---\n\n",
                                                      "\n\t--- Descarga por vaciado %s ---\n\n"};

// "dd-mm-yyyy", as the headings show it.
std::string FormatRecordDate(const RecordDate& date);

// format with its first "%s" replaced by text.
std::string FormatWithText(const std::string& format, const std::string& text);

// The names of the downloaded list, one per word of the file; words after the last line end
// are an append that did not finish and do not count. A monitoring counts as fetched only when
// its whole name is one of them. Creates an empty list when there is none; a file that cannot
// be read gives no names.
std::set<std::string> ReadDownloadedList(const std::filesystem::path& path);

// Writes one heading at the end of a log: the new-file form when the log does not exist yet,
// else the existing-file form. 0 / -1 when the log cannot be opened (nothing written).
int WriteLogHeading(const std::filesystem::path& path, const LogHeading& heading,
                    const std::string& dateText);

// Appends the name and a line end to a record. 0 / -1 when it cannot be opened.
int AppendNameLine(const std::filesystem::path& path, const std::string& name);

}  // namespace somvix
