#include "cli/transfer_options.h"

#include <CLI/CLI.hpp>

#include "cli/cli_data_folder.h"
#include "hostnet/make_host_adaptation.h"
#include "hostnet/wired_adapter.h"

namespace somvix {

void AddFolderArgument(CLI::App& verb, std::string& folder) {
    verb.add_option("FOLDER", folder, "The download folder")
        ->required()
        ->check(CLI::Validator(
            [](const std::string& text) {
                return text.empty() ? std::string("an empty text names no folder") : "";
            },
            ""));
}

void CliTransferOptions::Register(CLI::App& verb) {
    m_pLanOption = verb.add_option("--lan", m_strLanHost,
                                   "Reach the monitor over the local network at HOST (\"LAN\")");
    CLI::Option* cable = verb.add_flag(
        "--cable", m_bCable, "Reach the monitor over the crossed cable at 10.8.0.1 (default)");
    m_pLanOption->excludes(cable);
    verb.add_option("--interface", m_strInterface,
                    "The wired adapter of the cable kind (default: the one SOMVIX_INTERFACE "
                    "names, else the first physical Ethernet adapter that is up)")
        ->check(CLI::Validator(
            [](const std::string& name) {
                return IsValidInterfaceName(name) ? std::string() : "not an adapter name: " + name;
            },
            "ADAPTER"));
    verb.add_option("--port", m_nPort, "The monitor's TCP port (default 20248)")
        ->check(CLI::Range(1, 65535));
    verb.add_option("--records-dir", m_strRecordsDir,
                    "Folder of the downloaded list and the logs of each monitor (default: the "
                    "program's data folder)")
        ->check(CLI::ExistingDirectory);
}

int CliTransferOptions::MakeSetup(CliDeviceSetup& setup, CliContext& context) const {
    setup.hostAddress = NewHostAddressState();
    if (m_pLanOption != nullptr && m_pLanOption->count() > 0) {
        setup.hostAddress.m_connectionKind = ConnectionKind::Lan;
        setup.hostAddress.m_strHostName = m_strLanHost;
    }
    setup.settings.recordsDir = m_strRecordsDir;
    if (m_strRecordsDir.empty()) {
        if (const int status = RequireDataDirectory(setup.settings.recordsDir, context);
            status != 0) {
            return status;
        }
    }
    setup.settings.connection.port = m_nPort;
    setup.adaptation = MakeHostAdaptation(m_strInterface);
    return 0;
}

}  // namespace somvix
