#include "cli/erase_command.h"

#include <CLI/CLI.hpp>

#include "cli/cli_front_end.h"
#include "cli/transfer_options.h"
#include "cli/transfer_outcome.h"
#include "transfer/transfer_texts.h"

namespace somvix {

namespace {

class EraseCommand : public CliCommand {
public:
    const char* Name() const override { return "erase"; }
    const char* Description() const override {
        return "Empty the monitor, first downloading into FOLDER what this PC lacks, if wanted";
    }

    void Register(CLI::App& verb) override {
        AddFolderArgument(verb, m_strFolder);
        m_options.Register(verb);
        verb.footer(
            "Estado de salida: 0 terminado, 1 error (la causa va a la salida de errores), 2 uso "
            "incorrecto, 3 sin confirmar \"¿Desea continuar?\", 130 cancelado con Ctrl+C.");
        verb.add_flag("--yes", m_bYes,
                      "Answer \"¿Desea continuar?\" with yes (default: ask on a terminal, else "
                      "no)");
        verb.add_option("--download-missing", m_strDownloadMissing,
                        "Answer to \"¿Descargar datos antes de eliminar?\" for a monitoring of "
                        "which this PC has no copy (default: ask on a terminal; without an "
                        "answer, yes: it is downloaded before it is erased)")
            ->check(CLI::IsMember({"yes", "no"}));
        verb.add_option("--replace-incomplete", m_strReplaceIncomplete,
                        "Answer to \"¿Desea reemplazarlos antes de eliminar?\" for the folder of "
                        "an incomplete earlier download (default: ask on a terminal; without an "
                        "answer, yes: it is downloaded anew before it is erased)")
            ->check(CLI::IsMember({"yes", "no"}));
    }

    int Run(CliContext& context) override {
        CliDeviceSetup setup;
        if (const int status = m_options.MakeSetup(setup, context); status != 0) {
            return status;
        }
        CliFrontEnd frontEnd(context, m_strFolder, m_options.GetVerbosity());
        SetAnswers(frontEnd.Terminal());
        return PresentOutcome(
            RunEraseCommand(frontEnd, setup.hostAddress, *setup.adaptation, setup.settings),
            context, m_options.GetVerbosity(), m_options.WantsJson());
    }

private:
    void SetAnswers(CliOperationUi& ui) const {
        if (m_bYes) {
            ui.SetAnswer(ERASE_CONTINUE_QUESTION, ConfirmAnswer::Yes);
        }
        if (!m_strDownloadMissing.empty()) {
            ui.SetAnswer(ERASE_DOWNLOAD_QUESTION, AnswerFromFlag(m_strDownloadMissing));
        }
        if (!m_strReplaceIncomplete.empty()) {
            ui.SetAnswer(ERASE_REPLACE_QUESTION, AnswerFromFlag(m_strReplaceIncomplete));
        }
    }

    std::string m_strFolder;
    bool m_bYes = false;
    std::string m_strDownloadMissing;
    std::string m_strReplaceIncomplete;
    CliTransferOptions m_options;
};

}  // namespace

std::unique_ptr<CliCommand> MakeEraseCommand() {
    return std::make_unique<EraseCommand>();
}

}  // namespace somvix
