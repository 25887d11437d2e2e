#include "transfer/records.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <system_error>

#include "files/file_access.h"

namespace somvix {

namespace {

// The records were always text-mode files on Windows: every line feed is stored as CR LF.
std::string WithRecordLineEnds(const std::string& text) {
    std::string stored;
    stored.reserve(text.size() + 8);
    for (const char character : text) {
        if (character == '\n') {
            stored += '\r';
        }
        stored += character;
    }
    return stored;
}

int WriteRecordText(const std::filesystem::path& path, const std::string& text,
                    std::ios::openmode mode) {
    // A link in a record's place is refused rather than followed out of the records folder.
    return WriteToFile(path, WithRecordLineEnds(text),
                       (mode & std::ios::app) != 0 ? WriteMode::Append : WriteMode::Replace);
}

}  // namespace

RecordPaths MakeRecordPaths(const std::filesystem::path& recordsDir,
                            const std::string& deviceName) {
    return RecordPaths{recordsDir / (deviceName + ".txt"),
                       recordsDir / ("descargas-" + deviceName + ".txt"),
                       recordsDir / ("eliminados-" + deviceName + ".txt")};
}

std::string FormatRecordDate(const RecordDate& date) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2d-%.2d-%.4d", date.day, date.month, date.year);
    return text;
}

std::string FormatWithText(const std::string& format, const std::string& text) {
    const std::size_t at = format.find("%s");
    if (at == std::string::npos) {
        return format;
    }
    return format.substr(0, at) + text + format.substr(at + 2);
}

std::set<std::string> ReadDownloadedList(const std::filesystem::path& path) {
    std::set<std::string> names;
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        WriteToFile(path, {}, WriteMode::Append);
        return names;
    }
    std::ifstream file(path, std::ios::binary);
    // A stream insertion ends at a read error (a folder in the list's place) instead of throwing.
    std::ostringstream contents;
    contents << file.rdbuf();
    std::string text = contents.str();
    // An append cut short (a full disk, a crash) leaves the last name without its line end, and
    // a cut name can be another monitoring's whole name ("paciente1" of "paciente12"): only
    // names whose line end was written count.
    text.erase(text.find_last_of("\r\n") + 1);
    // Words are separated by any white space, so CR LF, LF and blanks all work.
    std::istringstream words(text);
    std::string word;
    while (words >> word) {
        names.insert(word);
    }
    return names;
}

int WriteLogHeading(const std::filesystem::path& path, const LogHeading& heading,
                    const std::string& dateText) {
    std::error_code error;
    if (std::filesystem::exists(path, error)) {
        return WriteRecordText(path, FormatWithText(heading.existingFileForm, dateText),
                               std::ios::app);
    }
    return WriteRecordText(path, FormatWithText(heading.newFileForm, dateText), std::ios::trunc);
}

int AppendNameLine(const std::filesystem::path& path, const std::string& name) {
    return WriteRecordText(path, name + "\n", std::ios::app);
}

}  // namespace somvix
