#include <algorithm>
#include <array>
#include <cerrno>
#include <fstream>
#include <system_error>
#include <vector>

#include "device/byte_order.h"
#include "device/crc32.h"
#include "device/device_connection.h"
#include "device/protocol.h"

namespace somvix {

std::uint32_t FileCrc32(const std::filesystem::path& path) {
    std::uint32_t reg = CRC32_PRESET;
    std::ifstream file(path, std::ios::binary);
    if (file) {
        // Read in large blocks, straight into this buffer: a 200 KB file takes four reads.
        std::vector<char> block(CHECKSUM_BLOCK_BYTES);
        while (file.read(block.data(), block.size()) || file.gcount() > 0) {
            reg = UpdateCrc32(reg, block.data(), static_cast<std::size_t>(file.gcount()));
        }
    }
    return ~reg;
}

namespace {

// Keeps the cause, about the file of path, in the connection; returns -1.
int FailFile(DeviceConnection& connection, CauseKind kind, const std::filesystem::path& path,
             std::string systemText = {}) {
    connection.SetCause({kind, path.filename().string(), std::move(systemText)});
    return -1;
}

// What the system said of the last failed file operation.
std::string LastSystemError() {
    return std::system_category().message(errno);
}

}  // namespace

int ReceiveFile(DeviceConnection& connection, const std::filesystem::path& path,
                const FileBytesWritten& written) {
    std::array<char, 4> field{};
    if (ReceiveExact(connection, field.size(), field.data()) != 0) {
        return -1;
    }
    // T counts the file's bytes and the checksum after them.
    const std::uint32_t total = ReadUint32Le(field.data());
    if (total < 4) {
        return FailFile(connection, CauseKind::BadReply, path);
    }
    const std::uint32_t size = total - 4;
    std::uint32_t remaining = size;
    if (CheckFileSize(remaining, path.string()) != 0) {
        return FailFile(connection, CauseKind::FileTooLarge, path, std::to_string(remaining));
    }
    const auto tell = [&] {
        if (written) {
            written(size - remaining, size);
        }
    };
    {
        // Unbuffered, so that what is written reaches the file at once and a failing write (a
        // full disk) shows at that write.
        std::ofstream file;
        file.rdbuf()->pubsetbuf(nullptr, 0);
        errno = 0;
        file.open(path, std::ios::binary | std::ios::trunc);
        if (!file) {
            return FailFile(connection, CauseKind::WriteFailed, path, LastSystemError());
        }
        ReceiveBuffer& received = connection.Received();
        tell();
        while (remaining > 0) {
            // Whole chunks of what has arrived, or the file's last bytes: a file cut short by a
            // broken transfer always ends at a chunk's end.
            const std::size_t held = std::min<std::size_t>(received.Held().size(), remaining);
            const std::size_t piece = held == remaining ? held : held - held % FILE_CHUNK_BYTES;
            if (piece == 0) {
                if (ReceiveMore(connection) != 0) {
                    return -1;  // the chunks that arrived whole stay in the file
                }
                continue;
            }
            if (!file.write(received.Held().data(), static_cast<std::streamsize>(piece))) {
                return FailFile(connection, CauseKind::WriteFailed, path, LastSystemError());
            }
            received.Take(piece);
            remaining -= static_cast<std::uint32_t>(piece);
            tell();
        }
        file.close();
        if (!file) {
            return FailFile(connection, CauseKind::WriteFailed, path, LastSystemError());
        }
    }
    if (ReceiveExact(connection, field.size(), field.data()) != 0) {
        return -1;
    }
    if (FileCrc32(path) != ReadUint32Le(field.data())) {
        return FailFile(connection, CauseKind::ChecksumMismatch, path);
    }
    return 0;
}

int TransactFile(DeviceConnection& connection, const std::string& command,
                 const std::filesystem::path& path, const FileBytesWritten& written) {
    if (SendText(connection, command) != 0) {
        return -1;
    }
    return ReceiveFile(connection, path, written);
}

}  // namespace somvix
