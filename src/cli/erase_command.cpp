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
        return "Vacía el monitor, descargando antes en FOLDER lo que falte en este PC, si se desea";
    }

    void Register(CLI::App& verb) override {
        AddFolderArgument(verb, m_strFolder);
        m_options.Register(verb);
        verb.footer(
            "Estado de salida: 0 terminado, 1 error (la causa va a la salida de errores), 2 uso "
            "incorrecto, 3 sin confirmar \"¿Desea continuar?\", 130 cancelado con Ctrl+C.");
        verb.add_flag("--yes", m_bYes,
                      "Responde sí a \"¿Desea continuar?\" (por defecto: se pregunta en un "
                      "terminal; si no, no)");
        verb.add_option("--download-missing", m_strDownloadMissing,
                        "Respuesta a \"¿Descargar datos antes de eliminar?\" para una "
                        "monitorización sin copia en este PC (por defecto: se pregunta en un "
                        "terminal; sin respuesta, sí: se descarga antes de eliminarla)")
            ->check(CLI::IsMember({"yes", "no"}));
        verb.add_option("--replace-incomplete", m_strReplaceIncomplete,
                        "Respuesta a \"¿Desea reemplazarlos antes de eliminar?\" para la carpeta "
                        "de una descarga previa incompleta (por defecto: se pregunta en un "
                        "terminal; sin respuesta, sí: se descarga de nuevo antes de eliminarla)")
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
