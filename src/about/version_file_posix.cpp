#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <span>

#include "about/program_record.h"
#include "about/version_block.h"
#include "about/version_file.h"
#include "shared/program_dir.h"

namespace somvix {

namespace {

// The program's own record among its constant data, where ReadFileVersionRecord finds it in
// the program file. Kept even though no code reads the variable itself.
[[gnu::used]] constexpr std::array<uint8_t, PROGRAM_VERSION_RECORD_SIZE> PROGRAM_VERSION_RECORD =
    ProgramVersionRecordBytes();

// A file mapped for reading, unmapped and closed at the end of its scope.
class MappedFile {
public:
    explicit MappedFile(const std::filesystem::path& path) {
        m_nDescriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat status {};
        if (m_nDescriptor < 0 || fstat(m_nDescriptor, &status) != 0 || !S_ISREG(status.st_mode) ||
            status.st_size <= 0) {
            return;
        }
        void* address = mmap(nullptr, static_cast<size_t>(status.st_size), PROT_READ, MAP_PRIVATE,
                             m_nDescriptor, 0);
        if (address != MAP_FAILED) {
            m_bytes = {static_cast<const uint8_t*>(address), static_cast<size_t>(status.st_size)};
        }
    }
    ~MappedFile() {
        if (!m_bytes.empty()) {
            munmap(const_cast<uint8_t*>(m_bytes.data()), m_bytes.size());
        }
        if (m_nDescriptor >= 0) {
            close(m_nDescriptor);
        }
    }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    std::span<const uint8_t> Bytes() const { return m_bytes; }

private:
    int m_nDescriptor = -1;
    std::span<const uint8_t> m_bytes;
};

// The root key as it stands in a record: UTF-16 little-endian with its terminating zero.
std::vector<uint8_t> RootKeyPattern() {
    std::vector<uint8_t> pattern;
    for (const char c : VERSION_ROOT_KEY) {
        pattern.push_back(static_cast<uint8_t>(c));
        pattern.push_back(0);
    }
    pattern.insert(pattern.end(), {0, 0});
    return pattern;
}

}  // namespace

std::filesystem::path ModuleFilePath(ModuleHandle module) {
    // Only the program itself is known here: a module handle means nothing without the
    // Windows loader.
    return module == nullptr ? ProgramFilePath() : std::filesystem::path{};
}

int ReadFileVersionRecord(const std::filesystem::path& path, std::vector<uint8_t>& record) {
    const MappedFile file(path);
    const std::span<const uint8_t> bytes = file.Bytes();
    const std::vector<uint8_t> pattern = RootKeyPattern();
    const std::boyer_moore_horspool_searcher searcher(pattern.begin(), pattern.end());
    // The key stands 6 bytes into its record, after the lengths and the type. The same text
    // can stand elsewhere in a program file, so every place is tried until a whole record
    // starts there.
    constexpr size_t KEY_OFFSET = 6;
    for (auto from = bytes.begin();;) {
        const auto found = std::search(from, bytes.end(), searcher);
        if (found == bytes.end()) {
            return -1;
        }
        const auto keyPosition = static_cast<size_t>(found - bytes.begin());
        if (keyPosition >= KEY_OFFSET) {
            const std::span<const uint8_t> candidate = bytes.subspan(keyPosition - KEY_OFFSET);
            const size_t length = VersionRecordLength(candidate);
            if (length > 0) {
                record.assign(candidate.begin(), candidate.begin() + static_cast<long>(length));
                return 0;
            }
        }
        from = found + 1;
    }
}

uint16_t UserDefaultLanguageId() {
    // The same precedence the C library gives the variables for messages.
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return LanguageIdFromLocaleName(value);
        }
    }
    return LanguageIdFromLocaleName("");
}

}  // namespace somvix
