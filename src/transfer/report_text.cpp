#include "transfer/report_text.h"

#include <vector>

#include "transfer/transfer_report.h"

namespace somvix {

std::string DescribeCounts(const TransferReport& report) {
    std::vector<std::string> parts;
    if (!report.fetched.empty()) {
        const bool one = report.fetched.size() == 1;
        parts.push_back(std::to_string(report.fetched.size()) +
                        (one ? " monitorización descargada (" : " monitorizaciones descargadas (") +
                        std::to_string(report.files) + " archivos, " +
                        std::to_string(report.bytes) + " bytes)");
    }
    if (!report.erased.empty()) {
        parts.push_back(std::to_string(report.erased.size()) + " eliminadas del monitor");
    }
    if (parts.empty()) {
        // A cancelled run may have stopped before it looked at the list at all.
        parts.emplace_back(report.cause.m_kind == CauseKind::Cancelled
                               ? "Cancelado antes de terminar ninguna monitorización"
                               : "No se encontraron monitorizaciones nuevas");
    }
    if (!report.skipped.empty()) {
        parts.push_back(std::to_string(report.skipped.size()) + " ya en el PC u omitidas");
    }
    if (!report.refused.empty()) {
        parts.push_back(std::to_string(report.refused.size()) + " rechazadas");
    }
    std::string line = parts.front();
    for (std::size_t i = 1; i < parts.size(); ++i) {
        line += ", " + parts[i];
    }
    return line;
}

}  // namespace somvix
