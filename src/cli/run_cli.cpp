#include <CLI/CLI.hpp>

#include <ostream>

#include "about/program_version.h"
#include "cli/cli_command.h"
#include "cli/download_command.h"
#include "cli/erase_command.h"
#include "cli/list_command.h"
#include "cli/recording_commands.h"

namespace somvix {

std::vector<std::unique_ptr<CliCommand>> MakeCliCommands() {
    std::vector<std::unique_ptr<CliCommand>> commands;
    // Each verb is added here when its subsystem is built.
    commands.push_back(MakeDownloadCommand());
    commands.push_back(MakeEraseCommand());
    commands.push_back(MakeListCommand());
    commands.push_back(MakeInfoCommand());
    commands.push_back(MakeExportCommand());
    commands.push_back(MakeRenderCommand());
    return commands;
}

int RunCli(int argc, const char* const* argv, CliContext& context) {
    CLI::App app{"somvixmn-cli: command line of the SOMVIX recording monitor's companion"};
    app.require_subcommand(0, 1);
    bool showVersion = false;
    app.add_flag("--version", showVersion, "Print the program's version and end");

    std::vector<std::unique_ptr<CliCommand>> commands = MakeCliCommands();
    std::vector<std::pair<CLI::App*, CliCommand*>> verbs;
    for (const auto& command : commands) {
        CLI::App* verb = app.add_subcommand(command->Name(), command->Description());
        command->Register(*verb);
        verbs.emplace_back(verb, command.get());
    }

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        context.out << app.help();
        return 0;
    } catch (const CLI::ParseError& error) {
        context.err << "somvixmn-cli: " << error.what() << '\n'
                    << "Use --help to list the commands and their options.\n";
        return EXIT_USAGE;
    }
    if (showVersion) {
        context.out << "somvixmn-cli " << ProgramVersionDotted() << '\n';
        return 0;
    }
    for (const auto& [verb, command] : verbs) {
        if (verb->parsed()) {
            return command->Run(context);
        }
    }
    context.err << app.help();
    return EXIT_USAGE;
}

}  // namespace somvix
