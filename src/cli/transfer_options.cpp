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
    CLI::Option* verbose = verb.add_flag(
        "--verbose", m_bVerbose, "Muestra cada orden enviada y el tamaño de cada respuesta");
    CLI::Option* quiet =
        verb.add_flag("--quiet", m_bQuiet, "Muestra solo la línea final, sin pasos ni causas");
    verbose->excludes(quiet);
    verb.add_flag("--json", m_bJson,
                  "Escribe el resultado como un objeto JSON en la salida estándar");
    verb.footer(
        "Estado de salida: 0 terminado, 1 error (la causa va a la salida de errores), 2 uso "
        "incorrecto, 130 cancelado con Ctrl+C.");
}

Verbosity CliTransferOptions::GetVerbosity() const {
    if (m_bQuiet) {
        return Verbosity::Quiet;
    }
    return m_bVerbose ? Verbosity::Verbose : Verbosity::Normal;
}

int CliTransferOptions::MakeSetup(CliDeviceSetup& setup, CliContext& context) const {
    setup.hostAddress = NewHostAddressState();
    if (m_pLanOption != nullptr && m_pLanOption->count() > 0) {
        setup.hostAddress.m_nConnectionKind = CONNECTION_LAN;
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
    setup.settings.connection.cancel = context.cancel;
    setup.adaptation = MakeHostAdaptation(m_strInterface);
    return 0;
}

}  // namespace somvix
