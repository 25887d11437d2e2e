#include <windows.h>

#include <algorithm>
#include <string>

#include "files/file_access.h"

namespace somvix {

namespace {

// Owns a handle for the length of one operation.
class Handle {
public:
    explicit Handle(HANDLE handle) : m_hHandle(handle) {}
    ~Handle() {
        if (IsValid()) {
            CloseHandle(m_hHandle);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    HANDLE Get() const { return m_hHandle; }
    bool IsValid() const { return m_hHandle != INVALID_HANDLE_VALUE; }
    HANDLE Release() {
        const HANDLE handle = m_hHandle;
        m_hHandle = INVALID_HANDLE_VALUE;
        return handle;
    }
    bool Close() { return CloseHandle(Release()) != FALSE; }

private:
    HANDLE m_hHandle;
};

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

bool IsReparsePoint(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION information{};
    return !GetFileInformationByHandle(file, &information) ||
           (information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

}  // namespace

InputFile::~InputFile() {
    Close();
}

void InputFile::Close() {
    if (m_hFile != nullptr) {
        CloseHandle(static_cast<HANDLE>(m_hFile));
        m_hFile = nullptr;
    }
}

bool InputFile::IsOpen() const {
    return m_hFile != nullptr;
}

FileOpenResult InputFile::Open(const std::filesystem::path& path) {
    Close();
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                   ? FileOpenResult::Missing
                   : FileOpenResult::Failed;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return FileOpenResult::NotRegularFile;
    }
    Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) {
        return FileOpenResult::Failed;
    }
    // Pipes, consoles and devices such as NUL are no files on a disk.
    if (GetFileType(file.Get()) != FILE_TYPE_DISK) {
        return FileOpenResult::NotRegularFile;
    }
    m_hFile = file.Release();
    return FileOpenResult::Opened;
}

long long InputFile::Read(char* buffer, std::size_t size) {
    if (m_hFile == nullptr) {
        return -1;
    }
    DWORD count = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 20));
    if (!ReadFile(static_cast<HANDLE>(m_hFile), buffer, wanted, &count, nullptr)) {
        return -1;
    }
    return count;
}

int WriteToFile(const std::filesystem::path& path, std::string_view bytes, WriteMode mode) {
    // FILE_FLAG_OPEN_REPARSE_POINT opens a link itself, which is then refused.
    Handle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.IsValid() || IsReparsePoint(file.Get())) {
        return -1;
    }
    if (mode == WriteMode::Append) {
        if (SetFilePointer(file.Get(), 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER &&
            GetLastError() != NO_ERROR) {
            return -1;
        }
    } else if (!SetEndOfFile(file.Get())) {
        return -1;
    }
    const bool written = WriteAll(file.Get(), bytes);
    return file.Close() && written ? 0 : -1;
}

int ReplaceFileContents(const std::filesystem::path& path, std::string_view bytes) {
    std::filesystem::path temporary = path;
    temporary += L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    DeleteFileW(temporary.c_str());
    Handle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) {
        return -1;
    }
    const bool synced = WriteAll(file.Get(), bytes) && FlushFileBuffers(file.Get());
    const bool closed = file.Close();
    // NTFS makes the renamed entry durable with MOVEFILE_WRITE_THROUGH; there is no folder
    // to sync.
    if (!synced || !closed ||
        !MoveFileExW(temporary.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temporary.c_str());
        return -1;
    }
    return 0;
}

}  // namespace somvix
