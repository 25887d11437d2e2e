#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <streambuf>

#include "files/file_access.h"

namespace somvix {

// Most bytes read from one recording, event or settings file. The largest file the readers can
// use (3600 pairs of numbers of the longest length the token scanner converts, about 3.7 MB)
// fits in it twice over; a monitor writes about 40 KB.
inline constexpr std::uint64_t MAX_INPUT_FILE_BYTES = 8 * 1024 * 1024;

// The bytes of a regular file as a stream buffer for the token scanner, up to a bound. The
// input ends at the bound as it ends at a read error: the readers keep what they read before,
// as they do at the end of a file. Nothing a reader can use lies that far into a file, and one
// rule for every reader needs no new outcome in any of them; a file that grows without end
// (or is huge) is read in a bounded time all the same.
class InputFileBuffer : public std::streambuf {
public:
    explicit InputFileBuffer(std::uint64_t maxBytes = MAX_INPUT_FILE_BYTES)
        : m_nBytesLeft(maxBytes) {}

    // Opens only a regular file (see InputFile).
    FileOpenResult Open(const std::filesystem::path& path) { return m_file.Open(path); }

protected:
    int_type underflow() override;

private:
    InputFile m_file;
    std::uint64_t m_nBytesLeft;
    std::array<char, 16384> m_buffer{};
};

}  // namespace somvix
