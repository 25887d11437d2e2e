#pragma once

#include <memory>

#include "cli/cli_command.h"

namespace somvix {

// `list FOLDER`: what the monitor holds, each monitoring marked as fetched, left over on the PC
// or missing from it. Read-only.
std::unique_ptr<CliCommand> MakeListCommand();

}  // namespace somvix
