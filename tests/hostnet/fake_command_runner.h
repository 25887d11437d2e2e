#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "hostnet/command_runner.h"

namespace somvix::test {

// A scripted command runner: it records every command line it is asked to run and answers with
// the outputs queued for that command line, in order; a command line with nothing queued gives
// an empty output and a failure, as one that cannot be started does.
class FakeCommandRunner : public CommandRunner {
public:
    std::string RunCommand(const std::string& program, const std::string& arguments) override {
        return RunCommandChecked(program, arguments).m_strOutput;
    }
    CommandResult RunCommandChecked(const std::string& program,
                                    const std::string& arguments) override {
        const std::string commandLine = JoinCommandLine(program, arguments);
        m_commandLines.push_back(commandLine);
        std::deque<CommandResult>& results = m_outputs[commandLine];
        if (results.empty()) {
            return {};
        }
        CommandResult result = results.front();
        results.pop_front();
        return result;
    }

    void Queue(const std::string& commandLine, const std::string& output, bool succeeds = false) {
        m_outputs[commandLine].push_back({output, succeeds});
    }
    const std::vector<std::string>& CommandLines() const { return m_commandLines; }
    void ClearCommandLines() { m_commandLines.clear(); }

private:
    std::vector<std::string> m_commandLines;
    std::map<std::string, std::deque<CommandResult>> m_outputs;
};

}  // namespace somvix::test
