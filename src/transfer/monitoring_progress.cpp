#include "transfer/monitoring_progress.h"

#include <algorithm>

#include "shared/operation_ui.h"

namespace somvix {

MonitoringProgress::MonitoringProgress(OperationUi& ui, int share, int lists)
    : m_ui(ui), m_nShare(std::max(share, 0)), m_nLists(std::max(lists, 1)) {}

void MonitoringProgress::BeginList(int list, int files) {
    m_nList = std::clamp(list, 0, m_nLists - 1);
    m_nFiles = std::max(files, 1);
    MoveTo(static_cast<std::uint64_t>(m_nList), static_cast<std::uint64_t>(m_nLists));
}

void MonitoringProgress::FileBytes(int file, std::uint32_t written, std::uint32_t size) {
    // An empty file counts as whole; the bytes of a file never count for more than its part.
    const std::uint64_t fileWhole = size == 0 ? 1 : size;
    const std::uint64_t fileDone = size == 0 ? 1 : std::min(written, size);
    const auto filesBefore = static_cast<std::uint64_t>(std::clamp(file, 0, m_nFiles - 1));
    const auto files = static_cast<std::uint64_t>(m_nFiles);
    const std::uint64_t done =
        (static_cast<std::uint64_t>(m_nList) * files + filesBefore) * fileWhole + fileDone;
    MoveTo(done, static_cast<std::uint64_t>(m_nLists) * files * fileWhole);
}

void MonitoringProgress::Complete() {
    MoveTo(1, 1);
}

void MonitoringProgress::MoveTo(std::uint64_t done, std::uint64_t whole) {
    // At most 500 steps times lists × files × 2^32 bytes: well inside 64 bits for any list a
    // reply can hold.
    const auto target = static_cast<int>(static_cast<std::uint64_t>(m_nShare) * done / whole);
    if (target > m_nGiven) {
        m_ui.AdvanceProgress(target - m_nGiven);
        m_nGiven = target;
    }
}

}  // namespace somvix
