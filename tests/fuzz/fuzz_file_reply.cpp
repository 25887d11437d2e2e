#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <string>

#include "device/device_connection.h"
#include "device/protocol.h"
#include "scratch_folder.h"

// What a monitor sends in answer to a list command and then to "FILE": a text message and a
// file reply, read from one end of a socketpair whose other end already holds every byte. The
// first byte picks the PC-side name, and with it the size limit.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace somvix;
    static constexpr std::array<const char*, 7> NAMES = {"a.eeg", "a.htr", "a.fhi", "a.evt",
                                                         "a.imp", "a.txt", "a"};
    if (size < 1) {
        return 0;
    }
    const std::filesystem::path path = fuzz::ScratchFolder() / NAMES[data[0] % NAMES.size()];
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        abort();
    }
    // The monitor's end stays open: the data run out as a silent monitor, not as a close.
    fcntl(ends[1], F_SETFL, O_NONBLOCK);
    for (size_t sent = 1; sent < size;) {
        const ssize_t count = write(ends[1], data + sent, size - sent);
        if (count <= 0) {
            break;  // more than the socket holds: the rest is never sent
        }
        sent += static_cast<size_t>(count);
    }
    DeviceConnection connection;
    if (connection.Socket().Adopt(ends[0]) != 0) {
        abort();
    }
    connection.SetWaitMs(0);
    std::string text;
    if (ReceiveText(connection, text) == 0) {
        if (text.size() > MAX_REPLY_BYTES || text.find('\0') != std::string::npos) {
            abort();
        }
        if (ReceiveFile(connection, path) == 0 &&
            std::filesystem::file_size(path) > MAX_DATA_FILE_BYTES) {
            abort();
        }
    }
    CloseConnection(connection);
    close(ends[1]);
    return 0;
}
