#include <windows.h>

#include <vector>

#include "hostnet/command_runner.h"
#include "hostnet/command_runner_piece.h"

namespace somvix {

namespace {

using Clock = std::chrono::steady_clock;

class UniqueHandle {
public:
    explicit UniqueHandle(HANDLE handle = nullptr) : m_handle(handle) {}
    ~UniqueHandle() { Close(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    HANDLE Get() const { return m_handle; }
    HANDLE* Receive() { return &m_handle; }
    void Close() {
        if (m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE) {
            ::CloseHandle(m_handle);
        }
        m_handle = nullptr;
    }

private:
    HANDLE m_handle;
};

// Our texts are UTF-8; a command line given to CreateProcessA is read in the ANSI code page
// (1252 on the monitor's Spanish and English systems), which is where "Conexión de área local"
// must arrive as the adapter's name.
std::string ToAnsiCodePage(const std::string& utf8) {
    const int wideSize =
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideSize), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                          wideSize);
    const int ansiSize =
        ::WideCharToMultiByte(CP_ACP, 0, wide.data(), wideSize, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(ansiSize), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), wideSize, ansi.data(), ansiSize, nullptr,
                          nullptr);
    return ansi;
}

// The system's own program of that name ("netsh" -> C:\Windows\system32\netsh.exe), or
// empty. CreateProcess looks in the program's folder and the current folder before the system
// folder, so a netsh.exe left in either would run with the rights this program has.
std::string SystemProgram(const std::string& program) {
    if (program.empty() || program.find_first_of("\\/:\"") != std::string::npos) {
        return {};
    }
    char folder[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return {};
    }
    std::string path = std::string(folder, length) + "\\" + ToAnsiCodePage(program);
    if (path.size() < 4 || _stricmp(path.c_str() + path.size() - 4, ".exe") != 0) {
        path += ".exe";
    }
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return {};
    }
    return path;
}

}  // namespace

// A program named without a folder that the system folder holds runs from there; others are
// found as CreateProcess finds them, with the caller's environment.
std::string RunCommand(const std::string& program, const std::string& arguments,
                       std::chrono::milliseconds timeout, ChildEnvironment /*environment*/,
                       bool* succeeded) {
    if (succeeded != nullptr) {
        *succeeded = false;
    }
    const std::string commandLine = ToAnsiCodePage(JoinCommandLine(program, arguments));
    if (commandLine.size() > MAX_COMMAND_LINE) {
        return {};
    }
    SECURITY_ATTRIBUTES security{};
    security.nLength = sizeof security;
    security.lpSecurityDescriptor = nullptr;
    security.bInheritHandle = TRUE;
    UniqueHandle readEnd;
    UniqueHandle writeEnd;
    if (!::CreatePipe(readEnd.Receive(), writeEnd.Receive(), &security, 0)) {
        return {};
    }
    // Only the write end is for the child.
    ::SetHandleInformation(readEnd.Get(), HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = writeEnd.Get();
    startup.hStdError = writeEnd.Get();
    std::vector<char> buffer(MAX_COMMAND_LINE + 1, '\0');
    commandLine.copy(buffer.data(), commandLine.size());
    const std::string systemProgram = SystemProgram(program);
    PROCESS_INFORMATION process{};
    const BOOL started = ::CreateProcessA(
        systemProgram.empty() ? nullptr : systemProgram.c_str(), buffer.data(), nullptr, nullptr,
        TRUE, CREATE_NO_WINDOW | NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup, &process);
    writeEnd.Close();
    if (!started) {
        return {};
    }
    UniqueHandle processHandle(process.hProcess);
    UniqueHandle threadHandle(process.hThread);

    // ReadFile on an anonymous pipe cannot time out, so the pipe is read only when it holds
    // bytes; PeekNamedPipe fails once every writer has closed it and it is empty.
    const Clock::time_point deadline = Clock::now() + timeout;
    std::string output;
    char piece[READ_PIECE_SIZE];
    for (;;) {
        DWORD available = 0;
        if (!::PeekNamedPipe(readEnd.Get(), nullptr, 0, nullptr, &available, nullptr)) {
            break;
        }
        if (available == 0) {
            if (Clock::now() >= deadline) {
                ::TerminateProcess(processHandle.Get(), 1);
                break;
            }
            ::Sleep(5);
            continue;
        }
        DWORD count = 0;
        if (!::ReadFile(readEnd.Get(), piece, sizeof piece, &count, nullptr) || count == 0) {
            break;
        }
        AppendOutputPiece(output, piece, count);
    }
    // The output has ended; the exit follows at once, but is waited for only until the deadline.
    // Closing the handles releases the child's record.
    if (succeeded != nullptr) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        DWORD status = 1;
        *succeeded = left.count() > 0 &&
                     ::WaitForSingleObject(processHandle.Get(), static_cast<DWORD>(left.count())) ==
                         WAIT_OBJECT_0 &&
                     ::GetExitCodeProcess(processHandle.Get(), &status) && status == 0;
    }
    return output;
}

}  // namespace somvix
