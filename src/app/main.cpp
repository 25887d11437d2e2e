#include <CLI/CLI.hpp>

#include <cstdint>
#include <iostream>

#include "about/program_version.h"
#include "app/main_app.h"
#include "hostnet/network_admin_right.h"

int main(int argc, char** argv) {
    // Options are read before the Qt application exists, so that --version and --help work
    // without a display.
    CLI::App options{"somvixmn: companion program of the SOMVIX recording monitor"};
    std::string recording;
    bool showVersion = false;
    options.add_flag("--version", showVersion, "Print the program's version and end");
    options.add_option("recording", recording, "A trend recording (.htr) to open at start-up");
    std::string lanHost;
    std::uint16_t devicePort = 0;
    CLI::Option* lanOption = options.add_option(
        "--lan", lanHost, "Reach the monitor over the local network at HOST (\"LAN\")");
    CLI::Option* portOption = options.add_option("--port", devicePort, "The monitor's TCP port")
                                  ->check(CLI::Range(1, 65535));
    options.allow_extras();  // Qt's own options, such as -platform
    try {
        options.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return options.exit(error);
    }
    if (showVersion) {
        std::cout << "somvixmn " << somvix::ProgramVersionDotted() << '\n';
        return 0;
    }
    somvix::GiveUpGrantedNetworkAdminRight();
    somvix::CMainApp app(argc, argv);
    somvix::StartOptions start;
    start.recordingPath = recording;
    if (lanOption->count() > 0) {
        start.lanHost = lanHost;
    }
    if (portOption->count() > 0) {
        start.devicePort = devicePort;
    }
    return app.InitInstance(start);
}
