#include "hostnet/command_runner.h"

#include <cstring>

#include "hostnet/command_runner_piece.h"

namespace somvix {

std::string JoinCommandLine(const std::string& program, const std::string& arguments) {
    return program + " " + arguments;
}

void AppendOutputPiece(std::string& output, const char* piece, std::size_t size) {
    // The output is text: a zero byte ends what this piece contributes.
    const void* zero = std::memchr(piece, '\0', size);
    output.append(piece, zero != nullptr ? static_cast<const char*>(zero) - piece : size);
}

std::string SystemCommandRunner::RunCommand(const std::string& program,
                                            const std::string& arguments) {
    return somvix::RunCommand(program, arguments, m_timeout, m_environment);
}

CommandResult SystemCommandRunner::RunCommandChecked(const std::string& program,
                                                     const std::string& arguments) {
    CommandResult result;
    result.m_strOutput =
        somvix::RunCommand(program, arguments, m_timeout, m_environment, &result.m_bSucceeded);
    return result;
}

}  // namespace somvix
