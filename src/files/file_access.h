#pragma once

#include <filesystem>
#include <string_view>

namespace somvix {

// Why a file was or was not opened for reading.
enum class FileOpenResult { Opened, Missing, NotRegularFile, Failed };

// A file open for reading. Only a regular file is ever opened: a folder, a FIFO, a device
// such as /dev/zero or a socket is refused, and a FIFO is refused without waiting for a
// writer, so no read of such a file can stall or go on without end. Closed with the object.
class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    FileOpenResult Open(const std::filesystem::path& path);
    bool IsOpen() const;
    // Up to size bytes into buffer: the count read, 0 at the end of the file, -1 on an error.
    long long Read(char* buffer, std::size_t size);

private:
    void Close();

#if defined(_WIN32)
    void* m_hFile = nullptr;  // HANDLE
#else
    int m_nDescriptor = -1;
#endif
};

enum class WriteMode {
    Append,   // after what the file holds
    Replace,  // instead of it
};

// Writes bytes to a file, creating it when it is missing. A symbolic link in the file's place
// is refused, never followed: the bytes cannot land in a file outside the folder. 0 / -1.
int WriteToFile(const std::filesystem::path& path, std::string_view bytes, WriteMode mode);

// Replaces a file's content as one step: the bytes go to a new file beside it, which is synced
// and then renamed over the old one, and the folder is synced. A full disk or a crash leaves
// either the old content or the new, never an empty or partial file; on failure the new file
// is removed. A symbolic link in the file's place is replaced, not followed. 0 / -1.
int ReplaceFileContents(const std::filesystem::path& path, std::string_view bytes);

}  // namespace somvix
