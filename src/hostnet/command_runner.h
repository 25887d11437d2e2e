#pragma once

#include <chrono>
#include <string>

namespace somvix {

// Longest command line a child is started with; the platform's buffer holds 1024 bytes with the
// terminating zero. Longer command lines are refused (nothing runs, the output is empty).
inline constexpr std::size_t MAX_COMMAND_LINE = 1023;
// Size of one read of the child's output.
inline constexpr std::size_t READ_PIECE_SIZE = 100;
// How long a child may keep its output open before it is ended.
inline constexpr std::chrono::milliseconds COMMAND_TIMEOUT{60000};

// The environment a child starts with.
enum class ChildEnvironment {
    Inherited,  // this process's own
    // Only PATH (the system's program folders) and LC_ALL=C, and a program named without a
    // folder is found only in those folders: for system tools that the caller must not steer.
    Fixed,
};

// What a command wrote, and whether it ran to its end with exit status 0.
struct CommandResult {
    std::string m_strOutput;
    bool m_bSucceeded = false;
};

// Runs an operating-system command and returns what it wrote; the seam through which the host
// adaptation reaches the network tools, so that tests can script them.
class CommandRunner {
public:
    virtual ~CommandRunner() = default;
    // Runs "program arguments" and returns its standard output and standard error as one text.
    // A command that cannot be started gives an empty text; no error is reported otherwise.
    virtual std::string RunCommand(const std::string& program, const std::string& arguments) = 0;
    // The same, with its exit status; a runner that cannot tell the status says it failed.
    virtual CommandResult RunCommandChecked(const std::string& program,
                                            const std::string& arguments) {
        return {RunCommand(program, arguments), false};
    }
};

// The command line of a program and its arguments: joined by one blank, no quotes added.
std::string JoinCommandLine(const std::string& program, const std::string& arguments);

// Starts the command line as a child with no standard input and its standard output and
// standard error joined into one pipe, and collects that output in pieces of at most
// READ_PIECE_SIZE bytes until every writer has closed it. A piece contributes its bytes up to
// its first zero byte. The child is reaped; one that keeps its output open longer than timeout
// is ended (with anything it started) and what it wrote so far is returned. A program named
// without a folder is looked for in PATH only while this process holds no privilege and passes
// its own environment on; else only in the system's program folders (POSIX). No capability of
// this process passes to the child. succeeded, where given, tells whether the child ran to its
// end in time with exit status 0.
std::string RunCommand(const std::string& program, const std::string& arguments,
                       std::chrono::milliseconds timeout = COMMAND_TIMEOUT,
                       ChildEnvironment environment = ChildEnvironment::Inherited,
                       bool* succeeded = nullptr);

// RunCommand of this platform behind the seam.
class SystemCommandRunner : public CommandRunner {
public:
    explicit SystemCommandRunner(std::chrono::milliseconds timeout = COMMAND_TIMEOUT,
                                 ChildEnvironment environment = ChildEnvironment::Inherited)
        : m_timeout(timeout), m_environment(environment) {}
    std::string RunCommand(const std::string& program, const std::string& arguments) override;
    CommandResult RunCommandChecked(const std::string& program,
                                    const std::string& arguments) override;

private:
    std::chrono::milliseconds m_timeout;
    ChildEnvironment m_environment;
};

}  // namespace somvix
