#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "chart/downloaded_monitorings.h"
#include "chart/recording_files.h"
#include "support/temp_dir.h"

namespace somvix {
namespace {

namespace fs = std::filesystem;

// monitor, monitoring, start date, start time, samples
using Listed = std::tuple<std::string, std::string, std::string, std::string, int>;

std::vector<Listed> Rows(const DownloadTreeListing& listing) {
    std::vector<Listed> rows;
    for (const DownloadedMonitoring& m : listing.monitorings) {
        rows.emplace_back(m.strMonitor, m.strMonitoring, m.strStartDate, m.strStartTime,
                          m.nSamples);
        EXPECT_TRUE(fs::is_regular_file(m.recordingPath)) << m.recordingPath;
    }
    return rows;
}

class DownloadedMonitoringsTest : public ::testing::Test {
protected:
    void SetUp() override {
        const struct {
            std::string folder;
            std::map<std::string, std::string> files;
        } tree[] = {
            {"M1/paciente00001",
             {{"p00001m.htr", "1 2 3 4 5"}, {"p00001m.fhi", "12-05-2007 22:30:15"}}},
            {"M1/paciente00002",
             {{"p00002m.htr", test::SteadyTrend(900, 60)},
              {"p00002m.fhi", "01-06-2007 08:00:00\n"}}},
            // Same day, earlier hour, another monitor: sorted by start across monitors.
            {"M2/paciente00009", {{"p00009m.htr", "1 2"}, {"p00009m.fhi", "01-06-2007 07:59"}}},
            {"M1/roto", {{"p0.htr", "1 2"}, {"p0.fhi", "31-02-2007"}}},
            {"M1/sinfhi", {{"p1.htr", "1 2 x 4"}}},
            {"M1/sinregistro", {{"p2.fhi", "01-01-2001 00:00:00"}, {"p2.imp", "1 1"}}},
            // The first .htr in name order, any case; a text with markup stays as it is.
            {"M2/<img src=x> & \"y\"", {{"P1.HTR", "7 8 9 10"}, {"p2.htr", "1 2"}}},
            {"M2/\xD1u", {{"q.htr", ""}, {"q.fhi", "02-06-2007 10:00:00 extra"}}},
        };
        for (const auto& entry : tree) {
            test::WriteRecordingFolder(m_root.Path(), entry.folder, entry.files);
        }
        // A file where a monitor or a monitoring folder belongs, a folder named as a .htr or a
        // .fhi, and a link out of the tree.
        test::WriteFileBytes(m_root.Path() / "M3", "1 2");
        test::WriteFileBytes(m_root.Path() / "M1" / "suelto.htr", "1 2");
        fs::create_directories(m_root.Path() / "M2" / "carpeta" / "p.htr");
        fs::create_directories(m_root.Path() / "M1" / "sinfhi" / "p1.fhi");
        test::WriteRecordingFolder(m_outside.Path(), "fuera", {{"f.htr", "1 2"}});
        fs::create_directory_symlink(m_outside.Path(), m_root.Path() / "enlace");
        fs::create_directory_symlink(m_outside.Path() / "fuera", m_root.Path() / "M1" / "enlace");
    }

    test::TempDir m_root;
    test::TempDir m_outside;
};

TEST_F(DownloadedMonitoringsTest, ListsEveryRecordingOfTheTreeNewestFirst) {
    const DownloadTreeListing listing = ListDownloadedMonitorings(m_root.Path());
    EXPECT_EQ(listing.end, DownloadTreeEnd::Complete);
    const std::vector<Listed> expected = {
        {"M2", "\xD1u", "02/06/2007", "10:00:00", 0},
        {"M1", "paciente00002", "01/06/2007", "08:00:00", 900},
        {"M2", "paciente00009", "01/06/2007", "07:59", 1},
        {"M1", "paciente00001", "12/05/2007", "22:30:15", 2},
        {"M1", "roto", "31/02/2007", "", 1},
        {"M1", "sinfhi", "", "", 1},
        {"M2", "<img src=x> & \"y\"", "", "", 2},
    };
    EXPECT_EQ(Rows(listing), expected);
    EXPECT_EQ(listing.monitorings[6].recordingPath.filename(), "P1.HTR");
}

TEST_F(DownloadedMonitoringsTest, BoundsAndFoldersThatHoldNoTree) {
    const struct {
        const char* name;
        fs::path folder;
        DownloadTreeBounds bounds;
        DownloadTreeEnd end;
        size_t nListed;
    } cases[] = {
        {"missing folder", m_root.Path() / "nada", {}, DownloadTreeEnd::NotAFolder, 0},
        {"a file", m_root.Path() / "M3", {}, DownloadTreeEnd::NotAFolder, 0},
        {"a monitor's folder", m_root.Path() / "M1", {}, DownloadTreeEnd::Complete, 0},
        {"two monitorings at most", m_root.Path(), {20000, 2}, DownloadTreeEnd::BoundReached, 2},
        {"seven monitorings at most", m_root.Path(), {20000, 7}, DownloadTreeEnd::Complete, 7},
        // The root's 4 entries, M1's 7 and the first monitoring's 2 files.
        {"few entries", m_root.Path(), {13, 1000}, DownloadTreeEnd::BoundReached, 1},
    };
    for (const auto& c : cases) {
        const DownloadTreeListing listing = ListDownloadedMonitorings(c.folder, c.bounds);
        EXPECT_EQ(listing.end, c.end) << c.name;
        EXPECT_EQ(listing.monitorings.size(), c.nListed) << c.name;
    }
}

}  // namespace
}  // namespace somvix
