#include "cli/transfer_outcome.h"

#include <ostream>

#include "cli/cli_command.h"
#include "cli/cli_operation_ui.h"
#include "shared/code_page_text.h"
#include "transfer/failure_text.h"
#include "transfer/transfer_report.h"

namespace somvix {

namespace {

nlohmann::json NamesJson(const std::vector<std::string>& names) {
    nlohmann::json list = nlohmann::json::array();
    for (const std::string& name : names) {
        list.push_back(Utf8From1252(name));
    }
    return list;
}

// "3 monitorizaciones descargadas (18 archivos, 12345 bytes), 2 ya en el PC u omitidas".
std::string CountsLine(const TransferReport& report) {
    std::string line;
    if (report.fetched.empty()) {
        line = "Ninguna monitorización nueva descargada";
    } else {
        line = std::to_string(report.fetched.size()) + " monitorizaciones descargadas (" +
               std::to_string(report.files) + " archivos, " + std::to_string(report.bytes) +
               " bytes)";
    }
    if (!report.erased.empty()) {
        line += ", " + std::to_string(report.erased.size()) + " eliminadas del monitor";
    }
    if (!report.skipped.empty()) {
        line += ", " + std::to_string(report.skipped.size()) + " ya en el PC u omitidas";
    }
    if (!report.refused.empty()) {
        line += ", " + std::to_string(report.refused.size()) + " rechazadas";
    }
    return line;
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

int FinishDeviceVerb(CliContext& context, int result, const TransferReport& report,
                     const OutcomeTexts& texts, Verbosity verbosity, bool json) {
    const int status = ExitStatusOf(result, report.cause);
    const char* finalLine = status == EXIT_CANCELLED ? texts.cancelled
                            : status == 0            ? texts.completed
                                                     : texts.failed;
    if (verbosity != Verbosity::Quiet) {
        if (result < 0 && report.cause.IsFailure()) {
            context.err << "Causa: " << DescribeCause(report.cause) << '\n';
        }
        // After a failure that did nothing, the cause says it all.
        if (result >= 0 || !report.fetched.empty() || !report.erased.empty()) {
            context.err << CountsLine(report) << '\n';
        }
    }
    if (json) {
        const nlohmann::json object = {{"result", finalLine},
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
        context.out << finalLine << '\n';
    }
    return status;
}

}  // namespace somvix
