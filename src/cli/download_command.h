#pragma once

#include <memory>

#include "cli/cli_command.h"

namespace somvix {

// `somvixmn-cli download FOLDER [--lan HOST | --cable [--interface IF]] [--records-dir DIR]
//  [--replace-incomplete yes|no] [--port N]`: downloads every new monitoring into FOLDER.
// Exit status 0 for "Descarga de datos completada", 1 for "Error en descarga de datos".
std::unique_ptr<CliCommand> MakeDownloadCommand();

}  // namespace somvix
