#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "device/cancel_request.h"
#include "transfer/erase_fixture.h"

// A cancel at each step of a download and of an erase: what is recorded stands complete on the
// PC, nothing leaves the monitor after the cancel, and the monitor is told goodbye whenever the
// stream is in step.

namespace somvix::test {
namespace {

namespace fs = std::filesystem;

enum class Operation { Download, Erase };

// When the user asks to stop.
enum class Trigger {
    Status,    // as the status line starts with `at`
    Question,  // while the first question is open, answered with `answer`
    Received,  // as the file `at` has been received whole
    MidFile,   // while the file `at` is arriving
};

struct CancelCase {
    const char* label;
    Operation operation;
    Trigger trigger;
    const char* at;
    ConfirmAnswer answer;
    int result;
    bool goodbye;          // "QUIT" was sent
    const char* recorded;  // the downloaded list afterwards
    const char* erased;    // gone from the monitor: "" or one name
};

// The scripted user who asks to stop at the row's moment.
class CancellingUi : public FakeOperationUi {
public:
    CancellingUi(const CancelCase& row, CancelRequest& cancel) : m_row(row), m_cancel(cancel) {}

    void SetStatusText(const std::string& text) override {
        FakeOperationUi::SetStatusText(text);
        if (m_row.trigger == Trigger::Status && text.rfind(m_row.at, 0) == 0) {
            m_cancel.Request();
        }
    }
    void ShowExchange(const std::string& command, std::size_t replyBytes) override {
        FakeOperationUi::ShowExchange(command, replyBytes);
        const std::string end = std::string("\\") + m_row.at;
        if (m_row.trigger == Trigger::Received && command.size() >= end.size() &&
            command.compare(command.size() - end.size(), end.size(), end) == 0) {
            m_cancel.Request();
        }
    }
    ConfirmAnswer Confirm(const std::string& statement, const std::string& question) override {
        if (m_row.trigger == Trigger::Question) {
            m_cancel.Request();
        }
        return FakeOperationUi::Confirm(statement, question);
    }

private:
    const CancelCase& m_row;
    CancelRequest& m_cancel;
};

class CancelTest : public EraseTest, public ::testing::WithParamInterface<CancelCase> {};

TEST_P(CancelTest, RecordsStayTrueAndNothingLeavesAfterTheCancel) {
    const CancelCase& row = GetParam();
    m_monitor.AddMonitoring("paciente1");
    m_monitor.AddMonitoring("paciente2");
    KeepOriginals();
    std::vector<std::string> knobs = {"--trace"};
    if (row.trigger == Trigger::MidFile) {
        // Slow pieces, so that the file is seen arriving.
        knobs.insert(knobs.end(), {"--split", "64", "--split-delay", "30"});
    }
    SimulatorProcess monitor(m_monitor.Serving(knobs));
    ASSERT_TRUE(monitor.IsRunning()) << monitor.Output();

    CancelRequest cancel;
    CancellingUi ui(row, cancel);
    ui.QueueAnswers({row.answer, ConfirmAnswer::Yes});
    m_settings.connection.cancel = &cancel;
    m_settings.connection.port = monitor.Port();

    std::thread watcher;
    if (row.trigger == Trigger::MidFile) {
        watcher = std::thread([&] {
            const fs::path arriving = MonitoringFolder("paciente1") / row.at;
            for (int look = 0; look < 5000 && !cancel.IsRequested(); ++look) {
                std::error_code error;
                if (fs::file_size(arriving, error) > 0 && !error) {
                    cancel.Request();
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        });
    }
    TransferReport report;
    const std::string path = FolderChoicePath(Downloads().string());
    const int result =
        row.operation == Operation::Download
            ? DownloadMonitorData(path, m_hostAddress, m_adaptation, ui, m_settings, &report)
            : EraseMonitorData(path, m_hostAddress, m_adaptation, ui, m_settings, &report);
    if (watcher.joinable()) {
        watcher.join();
    }

    EXPECT_EQ(result, row.result);
    if (row.result != 0) {
        EXPECT_EQ(report.cause.m_kind, CauseKind::Cancelled);
    }
    EXPECT_EQ(monitor.Output().find("command QUIT") != std::string::npos, row.goodbye)
        << monitor.Output();
    EXPECT_EQ(DownloadedList(), row.recorded);
    std::string list = row.recorded;
    std::string name;
    while (TakeToken(list, name) == 0) {
        name.erase(name.find('\r'));
        ExpectFetchedAsKept(name);
    }
    for (const char* held : {"paciente1", "paciente2"}) {
        EXPECT_EQ(OnMonitor(held), std::string(held) != row.erased) << held;
    }
    EXPECT_EQ(report.erased.size(), std::string(row.erased).empty() ? 0u : 1u);
}

constexpr ConfirmAnswer YES = ConfirmAnswer::Yes;
constexpr ConfirmAnswer NO = ConfirmAnswer::No;
constexpr Operation DOWNLOAD = Operation::Download;
constexpr Operation ERASE = Operation::Erase;

INSTANTIATE_TEST_SUITE_P(
    Steps, CancelTest,
    ::testing::Values(
        CancelCase{"DownloadConnecting", DOWNLOAD, Trigger::Status, "Conectando", YES, -1, false,
                   "", ""},
        CancelCase{"DownloadNaming", DOWNLOAD, Trigger::Status, "Autenticando", YES, -1, true, "",
                   ""},
        CancelCase{"DownloadListing", DOWNLOAD, Trigger::Status, "Cargando lista", YES, -1, true,
                   "", ""},
        CancelCase{"DownloadBetweenFiles", DOWNLOAD, Trigger::Received, "paciente1b.eeg", YES, -1,
                   true, "", ""},
        CancelCase{"DownloadMidFile", DOWNLOAD, Trigger::MidFile, "paciente1.htr", YES, -1, false,
                   "", ""},
        CancelCase{"DownloadSecondMonitoring", DOWNLOAD, Trigger::Status,
                   "Cargando datos paciente2", YES, -1, true, "paciente1\r\n", ""},
        CancelCase{"DownloadTooLate", DOWNLOAD, Trigger::Status, "Desconectando", YES, 0, true,
                   "paciente1\r\npaciente2\r\n", ""},
        CancelCase{"EraseNaming", ERASE, Trigger::Status, "Autenticando", YES, -1, true, "", ""},
        CancelCase{"EraseListed", ERASE, Trigger::Status, "Vaciando", YES, -1, true, "", ""},
        CancelCase{"EraseQuestionAnsweredYes", ERASE, Trigger::Question, "", YES, -1, true, "", ""},
        CancelCase{"EraseQuestionAnsweredNo", ERASE, Trigger::Question, "", NO, -1, true, "", ""},
        CancelCase{"EraseMidFile", ERASE, Trigger::MidFile, "paciente1.htr", YES, -1, false, "",
                   ""},
        CancelCase{"EraseCopyRecordedNotYetErased", ERASE, Trigger::Received, "paciente1.imp", YES,
                   -1, true, "paciente1\r\n", ""},
        CancelCase{"EraseSecondMonitoring", ERASE, Trigger::Status, "Eliminando datos paciente2",
                   YES, -1, true, "paciente1\r\n", "paciente1"}),
    [](const ::testing::TestParamInfo<CancelCase>& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace somvix::test
