#include "cli/erase_command.h"

#include <CLI/CLI.hpp>

#include <ostream>

#include "cli/cli_operation_ui.h"
#include "cli/transfer_options.h"
#include "cli/transfer_outcome.h"
#include "hostnet/host_adaptation.h"
#include "hostnet/host_address_state.h"
#include "transfer/download_folder.h"
#include "transfer/erase.h"
#include "transfer/query_monitor_name.h"
#include "transfer/transfer_report.h"
#include "transfer/transfer_settings.h"

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
        HostAddressState hostAddress;
        m_options.ApplyTo(hostAddress);
        const std::unique_ptr<HostAdaptation> adaptation = m_options.MakeAdaptation();
        TransferSettings settings;
        if (const int status = m_options.MakeSettings(settings, context); status != 0) {
            return status;
        }

        CliOperationUi ui(context, m_options.GetVerbosity());
        SetAnswers(ui);
        const std::string monitorName =
            MonitorNameForErase(hostAddress, *adaptation, settings.connection);
        if (ui.Confirm(EraseStatement(monitorName), ERASE_CONTINUE_QUESTION) !=
            ConfirmAnswer::Yes) {
            return EXIT_DECLINED;
        }
        TransferReport report;
        const int result = EraseMonitorData(FolderChoicePath(m_strFolder), hostAddress, *adaptation,
                                            ui, settings, &report);
        ui.EndProgressLine();
        return FinishDeviceVerb(context, result, report,
                                {ERASE_COMPLETED_TEXT, ERASE_FAILED_TEXT, ERASE_CANCELLED_TEXT},
                                m_options.GetVerbosity(), m_options.WantsJson());
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
            ui.SetAnswer(ERASE_PREPARE_TEXTS.question, AnswerFromFlag(m_strReplaceIncomplete));
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
