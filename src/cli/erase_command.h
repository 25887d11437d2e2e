#pragma once

#include <memory>

#include "cli/cli_command.h"

namespace somvix {

// `somvixmn-cli erase FOLDER [--lan HOST | --cable] [--records-dir DIR] [--yes]
//  [--download-missing yes|no] [--replace-incomplete yes|no] [--port N]`: asks the monitor for
// its name, asks whether to go on, then empties the monitor, downloading into FOLDER what the PC
// lacks unless answered No. Without a terminal, the erase goes on only with --yes. Exit status 0
// for "Vaciado de datos completado", 1 for "Error vaciado de datos", 3 when the erase was
// declined or not confirmed.
std::unique_ptr<CliCommand> MakeEraseCommand();

}  // namespace somvix
