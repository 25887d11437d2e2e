#pragma once

#include <iosfwd>
#include <memory>
#include <vector>

namespace CLI {
class App;
}

namespace somvix {

class CancelRequest;

// Where a verb reads and writes; the tests pass string streams and run the verbs in-process.
struct CliContext {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    bool interactive;  // a person answers on `in` (a terminal); otherwise questions go unanswered
    bool errIsTerminal = false;             // `err` is a terminal: progress may be drawn in place
    const CancelRequest* cancel = nullptr;  // set by Ctrl+C: the device verbs stop
};

inline constexpr int EXIT_USAGE = 2;
inline constexpr int EXIT_CANCELLED = 130;  // as a shell reports an end by Ctrl+C

// One verb of `somvixmn-cli`: it declares its options on its own sub-command and, when chosen,
// runs; its return value is the exit status.
class CliCommand {
public:
    virtual ~CliCommand() = default;
    virtual void Register(CLI::App& verb) = 0;
    virtual int Run(CliContext& context) = 0;
    virtual const char* Name() const = 0;
    virtual const char* Description() const = 0;
};

// Every verb of the command line, in the order the help lists them.
std::vector<std::unique_ptr<CliCommand>> MakeCliCommands();

// Parses the arguments, runs the chosen verb and returns the exit status.
int RunCli(int argc, const char* const* argv, CliContext& context);

}  // namespace somvix
