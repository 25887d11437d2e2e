#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "files/file_access.h"

namespace somvix {

namespace {

// Owns a descriptor for the length of one operation.
class Descriptor {
public:
    explicit Descriptor(int descriptor) : m_nDescriptor(descriptor) {}
    ~Descriptor() {
        if (m_nDescriptor >= 0) {
            ::close(m_nDescriptor);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int Get() const { return m_nDescriptor; }
    bool IsValid() const { return m_nDescriptor >= 0; }
    int Release() {
        const int descriptor = m_nDescriptor;
        m_nDescriptor = -1;
        return descriptor;
    }
    // Closes now, where the result of close tells whether the data was written.
    bool Close() { return ::close(Release()) == 0; }

private:
    int m_nDescriptor;
};

bool WriteAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

int SyncFolderOf(const std::filesystem::path& path) {
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    const Descriptor descriptor(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return descriptor.IsValid() && ::fsync(descriptor.Get()) == 0 ? 0 : -1;
}

}  // namespace

InputFile::~InputFile() {
    Close();
}

void InputFile::Close() {
    if (m_nDescriptor >= 0) {
        ::close(m_nDescriptor);
        m_nDescriptor = -1;
    }
}

bool InputFile::IsOpen() const {
    return m_nDescriptor >= 0;
}

FileOpenResult InputFile::Open(const std::filesystem::path& path) {
    Close();
    // Looked at before opening, so that a device is never opened at all.
    struct stat before {};
    if (::stat(path.c_str(), &before) != 0) {
        return errno == ENOENT || errno == ENOTDIR ? FileOpenResult::Missing
                                                   : FileOpenResult::Failed;
    }
    if (!S_ISREG(before.st_mode)) {
        return FileOpenResult::NotRegularFile;
    }
    // The name may be replaced between the look and the open: O_NONBLOCK keeps a FIFO put in
    // its place from holding the open until a writer comes, and the descriptor is checked
    // again.
    Descriptor descriptor(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!descriptor.IsValid()) {
        return errno == ENOENT ? FileOpenResult::Missing : FileOpenResult::Failed;
    }
    struct stat opened {};
    if (::fstat(descriptor.Get(), &opened) != 0) {
        return FileOpenResult::Failed;
    }
    if (!S_ISREG(opened.st_mode)) {
        return FileOpenResult::NotRegularFile;
    }
    const int flags = ::fcntl(descriptor.Get(), F_GETFL);
    if (flags < 0 || ::fcntl(descriptor.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
        return FileOpenResult::Failed;
    }
    m_nDescriptor = descriptor.Release();
    return FileOpenResult::Opened;
}

long long InputFile::Read(char* buffer, std::size_t size) {
    if (m_nDescriptor < 0) {
        return -1;
    }
    for (;;) {
        const ssize_t count = ::read(m_nDescriptor, buffer, size);
        if (count >= 0 || errno != EINTR) {
            return count;
        }
    }
}

int WriteToFile(const std::filesystem::path& path, std::string_view bytes, WriteMode mode) {
    const int modeFlag = mode == WriteMode::Append ? O_APPEND : O_TRUNC;
    // O_NONBLOCK: a FIFO in the file's place fails the open instead of waiting for a reader.
    Descriptor descriptor(::open(
        path.c_str(),
        O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | modeFlag, 0666));
    struct stat opened {};
    if (!descriptor.IsValid() || ::fstat(descriptor.Get(), &opened) != 0 ||
        !S_ISREG(opened.st_mode)) {
        return -1;
    }
    const bool written = WriteAll(descriptor.Get(), bytes);
    return descriptor.Close() && written ? 0 : -1;
}

int ReplaceFileContents(const std::filesystem::path& path, std::string_view bytes) {
    // One name per process: two programs writing at once never share a new file.
    std::filesystem::path temporary = path;
    temporary += "." + std::to_string(::getpid()) + ".tmp";
    // A name left by a crashed run that had this process id; removing a link there never
    // touches what it points to.
    ::unlink(temporary.c_str());
    Descriptor descriptor(::open(
        temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0666));
    if (!descriptor.IsValid()) {
        return -1;
    }
    const bool synced = WriteAll(descriptor.Get(), bytes) && ::fsync(descriptor.Get()) == 0;
    const bool closed = descriptor.Close();
    if (!synced || !closed || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return -1;
    }
    return SyncFolderOf(path);
}

}  // namespace somvix
