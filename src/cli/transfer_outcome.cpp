#include "cli/transfer_outcome.h"

#include <ostream>

#include "cli/cli_command.h"
#include "cli/cli_front_end.h"
#include "cli/cli_operation_ui.h"
#include "shared/code_page_text.h"
#include "transfer/command_flow.h"
#include "transfer/failure_text.h"
#include "transfer/report_text.h"

namespace somvix {

namespace {

nlohmann::json NamesJson(const std::vector<std::string>& names) {
    nlohmann::json list = nlohmann::json::array();
    for (const std::string& name : names) {
        list.push_back(Utf8From1252(name));
    }
    return list;
}

int StatusOfEnd(CommandEnd end) {
    switch (end) {
        case CommandEnd::Completed:
            return 0;
        case CommandEnd::Failed:
            break;
        case CommandEnd::Cancelled:
            return EXIT_CANCELLED;
        case CommandEnd::Declined:
            return EXIT_DECLINED;
    }
    return 1;
}

}  // namespace

int ExitStatusOf(int result, const FailureCause& cause) {
    if (cause.m_kind == CauseKind::Cancelled) {
        return EXIT_CANCELLED;
    }
    return result < 0 ? 1 : 0;
}

nlohmann::json CauseJson(const FailureCause& cause) {
    if (!cause.IsFailure()) {
        return nullptr;
    }
    return {{"kind", CauseKey(cause.m_kind)},
            {"text", DescribeCause(cause)},
            {"subject", Utf8From1252(cause.m_strSubject)}};
}

int PresentOutcome(const CommandOutcome& outcome, CliContext& context, Verbosity verbosity,
                   bool json) {
    const int status = StatusOfEnd(outcome.end);
    if (outcome.end == CommandEnd::Declined) {
        return status;
    }
    const TransferReport& report = outcome.report;
    if (verbosity != Verbosity::Quiet) {
        if (outcome.end == CommandEnd::Failed) {
            context.err << "Causa: " << outcome.detail << '\n';
            // After a failure that did nothing, the cause says it all.
            if (!report.fetched.empty() || !report.erased.empty()) {
                context.err << DescribeCounts(report) << '\n';
            }
        } else {
            context.err << outcome.detail << '\n';
        }
    }
    if (json) {
        const nlohmann::json object = {{"result", outcome.text},
                                       {"exit_status", status},
                                       {"fetched", NamesJson(report.fetched)},
                                       {"skipped", NamesJson(report.skipped)},
                                       {"erased", NamesJson(report.erased)},
                                       {"refused", NamesJson(report.refused)},
                                       {"files", report.files},
                                       {"bytes", report.bytes},
                                       {"cause", CauseJson(report.cause)}};
        context.out << object.dump(2) << '\n';
    } else {
        context.out << outcome.text << '\n';
    }
    return status;
}

}  // namespace somvix
