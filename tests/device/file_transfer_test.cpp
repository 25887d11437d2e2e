#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "device/byte_order.h"
#include "device/crc32.h"
#include "device/device_connection.h"
#include "device/protocol.h"
#include "support/scripted_peer.h"
#include "support/temp_dir.h"

namespace somvix {
namespace {

using test::PeerConnection;
using test::ScriptedPeer;

std::string Field(std::uint32_t value) {
    std::string field(4, '\0');
    WriteUint32Le(value, field.data());
    return field;
}

// T, the contents, the checksum.
std::string FileReply(const std::string& content, std::uint32_t checksum) {
    return Field(static_cast<std::uint32_t>(content.size() + 4)) + content + Field(checksum);
}

std::string FileReply(const std::string& content) {
    return FileReply(content, Crc32(content));
}

std::string RandomContent(std::size_t size) {
    std::mt19937 engine(static_cast<std::uint32_t>(size));
    std::string content(size, '\0');
    for (char& c : content) {
        c = static_cast<char>(engine() & 0xFFu);
    }
    return content;
}

// Runs one "FILE" exchange against a peer that answers with the bytes, in pieces of pieceBytes
// (0: at once), and closes after them when closeAfter is set.
int Fetch(const std::string& replyBytes, const std::filesystem::path& path,
          std::size_t pieceBytes = 0, bool closeAfter = false, std::string* command = nullptr) {
    std::string received;
    ScriptedPeer peer([&](PeerConnection& monitor) {
        monitor.ReadMessage(received);
        monitor.Send(replyBytes, pieceBytes);
        if (closeAfter) {
            // Bytes that come with the close itself are not read: the close comes later.
            monitor.Pause(300);
        } else {
            monitor.ReadUntilClosed();
        }
    });
    DeviceConnection connection;
    ConnectionOptions options;
    options.port = peer.Port();
    options.waitMs = 5000;
    if (OpenDeviceConnection("127.0.0.1", connection, options) != 0) {
        return -99;
    }
    const int result =
        TransactFile(connection, "FILE paciente00001\\" + path.filename().string(), path);
    CloseConnection(connection);
    peer.Join();
    if (command != nullptr) {
        *command = received;
    }
    return result;
}

TEST(ReceiveFile, StoresTheFileAndChecksItsChecksum) {
    const test::TempDir folder;
    const std::string content = RandomContent(5000);
    const auto path = folder.Path() / "p00001m.htr";
    std::string command;
    EXPECT_EQ(Fetch(FileReply(content), path, 0, false, &command), 0);
    EXPECT_EQ(command, "FILE paciente00001\\p00001m.htr");
    EXPECT_EQ(test::ReadFileBytes(path), content);
}

TEST(ReceiveFile, StoresAReplyThatArrivesByteByByteIdentically) {
    const test::TempDir folder;
    const std::string content = RandomContent(1300);  // two whole chunks and part of a third
    const auto path = folder.Path() / "p00001m.imp";
    EXPECT_EQ(Fetch(FileReply(content), path, 1), 0);
    EXPECT_EQ(test::ReadFileBytes(path), content);
}

TEST(ReceiveFile, EmptyFileWithChecksumZeroSucceedsWhateverItsExtension) {
    const test::TempDir folder;
    const auto path = folder.Path() / "notes.txt";
    test::WriteFileBytes(path, "old contents");
    EXPECT_EQ(Fetch(Field(4) + Field(0), path), 0);
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
}

TEST(ReceiveFile, RefusesALengthBelowFourBeforeWritingAnything) {
    const test::TempDir folder;
    for (const std::uint32_t total : {0u, 3u}) {
        const auto path = folder.Path() / ("t" + std::to_string(total) + ".htr");
        EXPECT_EQ(Fetch(Field(total) + Field(0), path), -1) << total;
        EXPECT_FALSE(std::filesystem::exists(path)) << total;
    }
}

TEST(ReceiveFile, RefusesAFileOverTheLimitBeforeWritingAnything) {
    const test::TempDir folder;
    const auto fhi = folder.Path() / "p00001m.fhi";
    EXPECT_EQ(Fetch(FileReply(std::string(201, 'x')), fhi), -1);
    EXPECT_FALSE(std::filesystem::exists(fhi));
    const auto noDot = folder.Path() / "INVALIDCMD";
    if (noDot.string().find('.') == std::string::npos) {
        EXPECT_EQ(Fetch(FileReply(""), noDot), -1);
        EXPECT_FALSE(std::filesystem::exists(noDot));
    }
}

TEST(ReceiveFile, ChecksumMismatchFailsAndLeavesTheFile) {
    const test::TempDir folder;
    const std::string content = RandomContent(700);
    const auto path = folder.Path() / "p00001m.evt";
    EXPECT_EQ(Fetch(FileReply(content, Crc32(content) ^ 0x80000000u), path), -1);
    EXPECT_EQ(test::ReadFileBytes(path), content);
}

TEST(ReceiveFile, ConnectionClosedMidFileLeavesTheChunksCompletedSoFar) {
    const test::TempDir folder;
    const std::string content = RandomContent(3000);
    const auto path = folder.Path() / "p00001m.htr";
    const std::string reply = FileReply(content);
    const struct {
        std::size_t sent;  // bytes of the file's contents before the close
        std::size_t pieceBytes;
        std::size_t kept;
    } rows[] = {{1100, 0, 1024}, {1100, 700, 1024}, {511, 0, 0}, {2999, 97, 2560}};
    for (const auto& row : rows) {
        EXPECT_EQ(Fetch(reply.substr(0, 4 + row.sent), path, row.pieceBytes, true), -1);
        EXPECT_EQ(test::ReadFileBytes(path), content.substr(0, row.kept)) << row.sent;
    }
}

TEST(ReceiveFile, MissingChecksumFailsAndLeavesTheWholeFile) {
    const test::TempDir folder;
    const std::string content = RandomContent(600);
    const auto path = folder.Path() / "p00001m.htr";
    const std::string reply = FileReply(content);
    EXPECT_EQ(Fetch(reply.substr(0, reply.size() - 2), path, 0, true), -1);
    EXPECT_EQ(test::ReadFileBytes(path), content);
}

TEST(ReceiveFile, FailsWhenTheFileCannotBeCreated) {
    const test::TempDir folder;
    EXPECT_EQ(Fetch(FileReply("abc"), folder.Path() / "no-such-folder" / "p00001m.htr"), -1);
}

// A disk that fills up in the middle of a file: the write fails, and so does the transfer,
// although every byte and the right checksum arrive.
TEST(ReceiveFile, FailsWhenAWriteFails) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full to stand for a full disk";
    }
    const test::TempDir folder;
    const auto path = folder.Path() / "p00001m.htr";
    std::filesystem::create_symlink("/dev/full", path);
    EXPECT_EQ(Fetch(FileReply(RandomContent(2000)), path), -1);
}

}  // namespace
}  // namespace somvix
