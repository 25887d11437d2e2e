#include "cli/transfer_options.h"

#include <CLI/CLI.hpp>

#include "cli/cli_data_folder.h"
#include "hostnet/make_host_adaptation.h"
#include "hostnet/wired_adapter.h"

namespace somvix {

void AddFolderArgument(CLI::App& verb, std::string& folder) {
    verb.add_option("FOLDER", folder, "La carpeta de descarga")
        ->required()
        ->check(CLI::Validator(
            [](const std::string& text) {
                return text.empty() ? std::string("un texto vacío no nombra ninguna carpeta") : "";
            },
            ""));
}

void CliTransferOptions::Register(CLI::App& verb) {
    m_pLanOption = verb.add_option("--lan", m_strLanHost,
                                   "Conecta con el monitor por la red local en HOST (\"LAN\")");
    CLI::Option* cable =
        verb.add_flag("--cable", m_bCable,
                      "Conecta con el monitor por el cable cruzado en 10.8.0.1 (por defecto)");
    m_pLanOption->excludes(cable);
    verb.add_option("--interface", m_strInterface,
                    "El adaptador de red del cable (por defecto: el que nombra "
                    "SOMVIX_INTERFACE, si no el primer adaptador Ethernet físico activo)")
        ->check(CLI::Validator(
            [](const std::string& name) {
                return IsValidInterfaceName(name) ? std::string()
                                                  : "no es un nombre de adaptador: " + name;
            },
            "ADAPTER"));
    verb.add_option("--port", m_nPort, "El puerto TCP del monitor (por defecto 20248)")
        ->check(CLI::Range(1, 65535));
    verb.add_option("--records-dir", m_strRecordsDir,
                    "Carpeta de la lista de descargas y de los registros de cada monitor (por "
                    "defecto: la carpeta de datos del programa)")
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
    setup.settings.connection.cancel = context.cancel;
    setup.adaptation = MakeHostAdaptation(m_strInterface);
    return 0;
}

}  // namespace somvix
