#include "cli/download_command.h"

#include <CLI/CLI.hpp>

#include "cli/cli_front_end.h"
#include "cli/transfer_options.h"
#include "cli/transfer_outcome.h"
#include "transfer/transfer_texts.h"

namespace somvix {

namespace {

class DownloadCommand : public CliCommand {
public:
    const char* Name() const override { return "download"; }
    const char* Description() const override {
        return "Descarga en FOLDER cada monitorización que no se haya descargado antes";
    }

    void Register(CLI::App& verb) override {
        AddFolderArgument(verb, m_strFolder);
        m_options.Register(verb);
        verb.add_option("--replace-incomplete", m_strReplaceIncomplete,
                        "Respuesta a \"¿Desea reemplazarlos?\" para la carpeta de una descarga "
                        "previa incompleta (por defecto: se pregunta en un terminal; si no, no)")
            ->check(CLI::IsMember({"yes", "no"}));
    }

    int Run(CliContext& context) override {
        CliDeviceSetup setup;
        if (const int status = m_options.MakeSetup(setup, context); status != 0) {
            return status;
        }
        CliFrontEnd frontEnd(context, m_strFolder, m_options.GetVerbosity());
        if (!m_strReplaceIncomplete.empty()) {
            frontEnd.Terminal().SetAnswer(DOWNLOAD_REPLACE_QUESTION,
                                          AnswerFromFlag(m_strReplaceIncomplete));
        }
        return PresentOutcome(
            RunDownloadCommand(frontEnd, setup.hostAddress, *setup.adaptation, setup.settings),
            context, m_options.GetVerbosity(), m_options.WantsJson());
    }

private:
    std::string m_strFolder;
    std::string m_strReplaceIncomplete;
    CliTransferOptions m_options;
};

}  // namespace

std::unique_ptr<CliCommand> MakeDownloadCommand() {
    return std::make_unique<DownloadCommand>();
}

}  // namespace somvix
