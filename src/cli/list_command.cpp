#include <CLI/CLI.hpp>

#include <nlohmann/json.hpp>

#include <ostream>

#include "cli/cli_command.h"
#include "cli/cli_operation_ui.h"
#include "cli/list_command.h"
#include "cli/transfer_options.h"
#include "cli/transfer_outcome.h"
#include "shared/code_page_text.h"
#include "transfer/device_session.h"
#include "transfer/failure_text.h"
#include "transfer/monitor_contents.h"
#include "transfer/transfer_report.h"

namespace somvix {

namespace {

constexpr const char* LIST_FAILED_TEXT = "Error leyendo el contenido del monitor";
constexpr const char* LIST_CANCELLED_TEXT = "Lectura del contenido del monitor cancelada";

class ListCommand : public CliCommand {
public:
    const char* Name() const override { return "list"; }
    const char* Description() const override {
        return "Muestra qué monitorizaciones guarda el monitor y cuáles están ya en FOLDER; no "
               "descarga ni elimina nada";
    }

    void Register(CLI::App& verb) override {
        AddFolderArgument(verb, m_strFolder);
        m_options.Register(verb);
    }

    int Run(CliContext& context) override {
        CliDeviceSetup setup;
        if (const int status = m_options.MakeSetup(setup, context); status != 0) {
            return status;
        }
        CliOperationUi ui(context, m_options.GetVerbosity());
        MonitorContents contents;
        TransferReport report;
        const int result = ListMonitorData(m_strFolder, setup.hostAddress, *setup.adaptation, ui,
                                           setup.settings, contents, &report);
        ui.EndProgressLine();
        const int status = ExitStatusOf(result, report.cause);
        if (status != 0 && m_options.GetVerbosity() != Verbosity::Quiet) {
            context.err << "Causa: " << DescribeCause(report.cause) << '\n';
        }
        if (m_options.WantsJson()) {
            context.out << ContentsJson(contents, report.cause).dump(2) << '\n';
        } else if (status == 0) {
            PrintContents(context, contents);
        } else {
            context.out << (status == EXIT_CANCELLED ? LIST_CANCELLED_TEXT : LIST_FAILED_TEXT)
                        << '\n';
        }
        return status;
    }

private:
    static nlohmann::json ContentsJson(const MonitorContents& contents, const FailureCause& cause) {
        nlohmann::json monitorings = nlohmann::json::array();
        for (const MonitoringEntry& entry : contents.monitorings) {
            monitorings.push_back(
                {{"name", Utf8From1252(entry.name)}, {"state", MonitoringStateKey(entry.state)}});
        }
        return {{"monitor", Utf8From1252(contents.deviceName)},
                {"monitorings", monitorings},
                {"cause", CauseJson(cause)}};
    }

    // One line per monitoring, the name first: names hold no blanks, so `cut` takes it.
    static void PrintContents(CliContext& context, const MonitorContents& contents) {
        context.out << "Monitor " << PrintableName(contents.deviceName) << ": "
                    << contents.monitorings.size() << " monitorizaciones\n";
        for (const MonitoringEntry& entry : contents.monitorings) {
            context.out << PrintableName(entry.name) << '\t' << MonitoringStateText(entry.state)
                        << '\n';
        }
    }

    std::string m_strFolder;
    CliTransferOptions m_options;
};

}  // namespace

std::unique_ptr<CliCommand> MakeListCommand() {
    return std::make_unique<ListCommand>();
}

}  // namespace somvix
