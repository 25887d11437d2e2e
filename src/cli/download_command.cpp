#include "cli/download_command.h"

#include <CLI/CLI.hpp>

#include <ostream>

#include "cli/cli_operation_ui.h"
#include "cli/transfer_options.h"
#include "cli/transfer_outcome.h"
#include "hostnet/host_adaptation.h"
#include "hostnet/host_address_state.h"
#include "transfer/download.h"
#include "transfer/download_folder.h"
#include "transfer/transfer_report.h"
#include "transfer/transfer_settings.h"

namespace somvix {

namespace {

class DownloadCommand : public CliCommand {
public:
    const char* Name() const override { return "download"; }
    const char* Description() const override {
        return "Download every monitoring not fetched before into FOLDER";
    }

    void Register(CLI::App& verb) override {
        AddFolderArgument(verb, m_strFolder);
        m_options.Register(verb);
        verb.add_option("--replace-incomplete", m_strReplaceIncomplete,
                        "Answer to \"¿Desea reemplazarlos?\" for the folder of an incomplete "
                        "earlier download (default: ask on a terminal, else no)")
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
        if (!m_strReplaceIncomplete.empty()) {
            ui.SetAnswer("¿Desea reemplazarlos?", AnswerFromFlag(m_strReplaceIncomplete));
        }
        TransferReport report;
        const int result = DownloadMonitorData(FolderChoicePath(m_strFolder), hostAddress,
                                               *adaptation, ui, settings, &report);
        ui.EndProgressLine();
        return FinishDeviceVerb(
            context, result, report,
            {DOWNLOAD_COMPLETED_TEXT, DOWNLOAD_FAILED_TEXT, DOWNLOAD_CANCELLED_TEXT},
            m_options.GetVerbosity(), m_options.WantsJson());
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
