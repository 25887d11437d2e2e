#pragma once

#include <filesystem>

#include "cli/cli_command.h"

namespace somvix {

// The program's data folder (shared/program_dir.h) for a verb: 0 with the folder, or 1, the exit
// status, after telling on the error stream why there is none.
int RequireDataDirectory(std::filesystem::path& folder, CliContext& context);

}  // namespace somvix
