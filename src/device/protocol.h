#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace somvix {

class DeviceConnection;

// The monitor's command words and the replies the program looks for, compared exactly.
inline constexpr std::string_view COMMAND_DEVICE_NAME = "SOMVIXNAME";
inline constexpr std::string_view COMMAND_AUTH = "AUTH KAVOTE";  // the word and the credential
inline constexpr std::string_view COMMAND_GET_LIST = "GETLIST";
inline constexpr std::string_view COMMAND_GET_EEG_LIST = "GETEEGLIST";
inline constexpr std::string_view COMMAND_GET_HTR_LIST = "GETHTRLIST";
inline constexpr std::string_view COMMAND_GET_FHI_LIST = "GETFHILIST";
inline constexpr std::string_view COMMAND_GET_EVT_LIST = "GETEVTLIST";
inline constexpr std::string_view COMMAND_GET_IMP_LIST = "GETIMPLIST";
inline constexpr std::string_view COMMAND_FILE = "FILE";
inline constexpr std::string_view COMMAND_DELETE = "DELETE";
inline constexpr std::string_view COMMAND_QUIT = "QUIT";
inline constexpr std::string_view REPLY_AUTH_OK = "AUTHOK";
inline constexpr std::string_view REPLY_DELETE_OK = "DELETEOK";
inline constexpr std::string_view REPLY_QUIT_OK = "QUITOK";
inline constexpr std::string_view REPLY_INVALID_COMMAND = "INVALIDCMD";

// What marks a token of a list as a monitoring name.
inline constexpr std::string_view MONITORING_MARK = "paciente";

// Largest file sizes accepted, by extension of the PC-side path.
inline constexpr std::uint32_t MAX_EEG_FILE_BYTES = 20000;
inline constexpr std::uint32_t MAX_FHI_FILE_BYTES = 200;
inline constexpr std::uint32_t MAX_DATA_FILE_BYTES = 200000;  // .htr, .evt, .imp

inline constexpr std::size_t FILE_CHUNK_BYTES = 512;        // files are written in whole ones
inline constexpr std::size_t CHECKSUM_BLOCK_BYTES = 65536;  // read back at a time

// Takes the first blank-separated token off the front of the list. Every single blank
// separates, so two blanks in a row give an empty token. 0 with a token; -1 when the list is
// empty.
int TakeToken(std::string& list, std::string& token);
// Takes the first token as TakeToken does (an empty list gives an empty token); 0 when it holds
// "paciente", -1 otherwise.
int TakeMonitoringName(std::string& list, std::string& name);
// 1 plus the number of blanks (the empty text counts 1).
int CountTokens(const std::string& text);
// 0 when size is within the limit of the extension of path (the text from the last "." of the
// whole path, in any case of letters; unknown extensions allow only 0 bytes); -1 otherwise or
// when the path holds no ".".
int CheckFileSize(std::uint32_t size, const std::string& path);
// CRC-32 of the stored file read back in blocks; 0 when it cannot be opened.
std::uint32_t FileCrc32(const std::filesystem::path& path);
// Told of a file reply's bytes written so far and of the file's whole size (the checksum not
// counted): once when the size is known (0 written), then after each write.
using FileBytesWritten = std::function<void(std::uint32_t written, std::uint32_t size)>;

// Receives one file reply and stores it at path, writing the whole FILE_CHUNK_BYTES chunks of
// what has arrived as it arrives. 0 when the checksum matches; -1 on any failure (a file written
// in part stays on disk, made of the chunks that arrived whole).
int ReceiveFile(DeviceConnection& connection, const std::filesystem::path& path,
                const FileBytesWritten& written = {});
// Sends the command, then receives the file reply into path; 0 only when both succeed.
int TransactFile(DeviceConnection& connection, const std::string& command,
                 const std::filesystem::path& path, const FileBytesWritten& written = {});

}  // namespace somvix
