#include <gtest/gtest.h>

#include <cerrno>
#include <system_error>

#include "transfer/download_fixture.h"

// Why a download failed, one row per cause, each made by a fault of the simulated monitor or of
// the PC; and that a run that ends in order keeps no cause.

namespace somvix::test {
namespace {

namespace fs = std::filesystem;

// What the PC side does differently in a row.
enum class Arrange {
    Nothing,
    RefusingPort,      // the port refuses the connection
    ShortWait,         // waits of 1 s
    OversizedList,     // the list is over the reply limit
    OversizedFhi,      // the .fhi file is over its kind's limit
    ListIsAFolder,     // the downloaded list cannot be written
    FailingSync,       // the disk refuses to sync the first file
    FailedAdaptation,  // the host address cannot be set up
};

struct CauseCase {
    const char* label;
    const char* knob;  // the simulator's fault option, "" for none
    const char* knobValue;
    Arrange arrange;
    CauseKind kind;
    const char* subject;
    int systemError;      // the system's error behind the cause; 0: none is checked
    std::size_t fetched;  // monitorings recorded before the failure
};

// A disk that cannot sync files.
class FailingSync : public FileSync {
public:
    int SyncFile(const fs::path& /*path*/) override {
        errno = EIO;
        return -1;
    }
    int SyncFolder(const fs::path& /*folder*/) override { return 0; }
};

class FailureCauseTest : public DownloadTest, public ::testing::WithParamInterface<CauseCase> {};

TEST_P(FailureCauseTest, TheRunFailsAndKeepsItsCause) {
    const CauseCase& row = GetParam();
    m_monitor.AddMonitoring("paciente1");
    std::vector<std::string> knobs;
    for (const char* argument : {row.knob, row.knobValue}) {
        if (*argument != '\0') {
            knobs.emplace_back(argument);
        }
    }
    RefusingPort refusing;
    FailingSync failingSync;
    switch (row.arrange) {
        case Arrange::Nothing:
        case Arrange::RefusingPort:
            break;
        case Arrange::OversizedList:
            knobs = {"--list-reply", "paciente1 " + std::string(MAX_REPLY_BYTES, 'x')};
            break;
        case Arrange::ShortWait:
            m_settings.connection.waitMs = 1000;
            break;
        case Arrange::OversizedFhi:
            WriteFileBytes(m_monitor.Root() / "paciente1" / "paciente1.fhi",
                           std::string(MAX_FHI_FILE_BYTES + 1, 'x'));
            break;
        case Arrange::ListIsAFolder:
            fs::create_directories(Records() / "SOMVIXSIM.txt");
            break;
        case Arrange::FailingSync:
            m_settings.fileSync = &failingSync;
            break;
        case Arrange::FailedAdaptation:
            m_adaptation.m_nAdaptResult = -1;
            m_adaptation.m_strFailure = "no se pudo añadir la dirección 10.8.0.2: acceso denegado";
            break;
    }
    SimulatorProcess monitor(m_monitor.Serving(knobs));
    if (row.arrange == Arrange::RefusingPort) {
        m_settings.connection.port = refusing.Port();
        EXPECT_EQ(DownloadMonitorData(FolderChoicePath(Downloads().string()), m_hostAddress,
                                      m_adaptation, m_ui, m_settings, &m_report),
                  -1);
    } else {
        EXPECT_EQ(Download(monitor), -1);
    }
    EXPECT_EQ(m_report.cause.m_kind, row.kind);
    EXPECT_EQ(m_report.cause.m_strSubject, row.subject);
    if (row.arrange == Arrange::FailedAdaptation) {
        EXPECT_EQ(m_report.cause.m_strSystemText, m_adaptation.m_strFailure);
    }
    if (row.systemError != 0) {
        EXPECT_EQ(m_report.cause.m_strSystemText, std::system_category().message(row.systemError));
    }
    EXPECT_EQ(m_report.fetched.size(), row.fetched);
}

INSTANTIATE_TEST_SUITE_P(
    Causes, FailureCauseTest,
    ::testing::Values(
        CauseCase{"Refused", "", "", Arrange::RefusingPort, CauseKind::Refused, "", 0, 0},
        CauseCase{"NoReply", "--silent-after", "GETLIST", Arrange::ShortWait, CauseKind::NoReply,
                  "1", 0, 0},
        CauseCase{"ConnectionLost", "--close-after", "paciente1.htr:10", Arrange::Nothing,
                  CauseKind::ConnectionLost, "", 0, 0},
        CauseCase{"ReplyTooLarge", "", "", Arrange::OversizedList, CauseKind::ReplyTooLarge,
                  "25010", 0, 0},
        CauseCase{"ChecksumMismatch", "--bad-checksum", "paciente1.fhi", Arrange::Nothing,
                  CauseKind::ChecksumMismatch, "paciente1.fhi", 0, 0},
        CauseCase{"FileTooLarge", "", "", Arrange::OversizedFhi, CauseKind::FileTooLarge,
                  "paciente1.fhi", 0, 0},
        CauseCase{"WriteFailed", "", "", Arrange::ListIsAFolder, CauseKind::WriteFailed,
                  "SOMVIXSIM.txt", EISDIR, 0},
        CauseCase{"SyncFailed", "", "", Arrange::FailingSync, CauseKind::SyncFailed,
                  "paciente1a.eeg", EIO, 0},
        CauseCase{"Adaptation", "", "", Arrange::FailedAdaptation, CauseKind::Adaptation, "", 0, 0},
        CauseCase{"NameRefused", "--list-reply", "paciente1 paciente/2", Arrange::Nothing,
                  CauseKind::NameRefused, "paciente/2", 0, 1},
        CauseCase{"LoginRefused", "--refuse-login", "", Arrange::Nothing, CauseKind::LoginRefused,
                  "AUTHERROR", 0, 0},
        CauseCase{"EndRefused", "--quit-reply", "BYE", Arrange::Nothing, CauseKind::EndRefused,
                  "BYE", 0, 1}),
    [](const ::testing::TestParamInfo<CauseCase>& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace somvix::test
