#include <gtest/gtest.h>

#include <sys/stat.h>

#include <memory>

#include "chart/caption.h"
#include "chart/recording_files.h"
#include "chart/recording_paths.h"
#include "chart/recording_reader.h"
#include "chart/trend_file_problem.h"
#include "files/input_file_buffer.h"
#include "support/child_run.h"
#include "support/temp_dir.h"

namespace somvix {
namespace {

class RecordingReaderTest : public ::testing::Test {
protected:
    // Writes the files into folder x (or the given one) and opens its p01234m.htr.
    int Open(const std::map<std::string, std::string>& files, const std::string& folder = "x",
             const std::string& htrName = "p01234m.htr") {
        const auto directory = test::WriteRecordingFolder(m_root.Path(), folder, files);
        m_messages.clear();
        if (SelectRecordingFile(*m_store, (directory / htrName).string()) != 0) {
            return -2;
        }
        return LoadRecording(*m_store, m_settings,
                             [this](const std::string& text, const std::string& caption,
                                    MessageIcon) { m_messages.push_back(caption + "|" + text); });
    }

    std::string Caption() const {
        return MakeCaption(m_store->m_strFileTitle, m_store->m_strPathName, m_store->m_strFileExt,
                           m_store->m_strStartDate, m_store->m_strStartTime);
    }

    test::TempDir m_root;
    std::unique_ptr<RecordingStore> m_store = std::make_unique<RecordingStore>();
    DisplaySettings m_settings;
    std::vector<std::string> m_messages;
};

TEST_F(RecordingReaderTest, FiveNumbersGiveTwoSamplesAndTheFifthIsNotKept) {
    ASSERT_EQ(Open({{"p01234m.htr", "55.2 48.0 56.1 47.5 57.0"}}), 0);
    EXPECT_EQ(m_store->m_nSamples, 2);
    EXPECT_EQ(m_store->m_trend1[1], 56.1);
    EXPECT_EQ(m_store->m_trend2[1], 47.5);
    // A lone channel-1 value would otherwise be joined to the last sample by the curve.
    EXPECT_EQ(m_store->m_trend1[2], NO_DATA);
    EXPECT_EQ(m_store->m_trend1Read[2], NO_DATA);
    EXPECT_EQ(m_store->m_nSamplesPerUnit, 4);
    EXPECT_EQ(m_store->m_bChartShown, 1);
}

TEST_F(RecordingReaderTest, EmptyTrendFileIsShownWithNoSamples) {
    ASSERT_EQ(Open({{"p01234m.htr", ""}}), 0);
    EXPECT_EQ(m_store->m_nSamples, 0);
    EXPECT_EQ(m_store->m_bChartShown, 1);
    EXPECT_EQ(m_store->m_trend1[0], NO_DATA);
}

TEST_F(RecordingReaderTest, DecimalCommaStopsTheReadingAtTheComma) {
    ASSERT_EQ(Open({{"p01234m.htr", "20 30\n1,5 2\n40 50\n"}}), 0);
    EXPECT_EQ(m_store->m_nSamples, 1);
    EXPECT_EQ(m_store->m_trend1[0], 20.0);
    EXPECT_EQ(m_store->m_trend1[1], NO_DATA);
}

TEST_F(RecordingReaderTest, TokenThatIsNoNumberEndsTheRecording) {
    ASSERT_EQ(Open({{"p01234m.htr", "1 2 3 4 x 5 6"}}), 0);
    EXPECT_EQ(m_store->m_nSamples, 2);
}

TEST_F(RecordingReaderTest, OnlyTheExtensionHtrInAnyCaseIsAccepted) {
    const std::string trend = test::SteadyTrend(3, 40);
    EXPECT_EQ(Open({{"p01234m.HTR", trend}}, "x", "p01234m.HTR"), 0);
    EXPECT_EQ(m_store->m_nSamples, 3);
    EXPECT_EQ(m_store->m_strFileExt, "HTR");
    // A txt file is refused silently even with a valid trend: the open recording stays.
    EXPECT_EQ(Open({{"p01234m.txt", test::SteadyTrend(5, 40)}}, "y", "p01234m.txt"), -2);
    EXPECT_EQ(m_store->m_nSamples, 3);
    EXPECT_EQ(Caption(), "SOMVIXMN - x");
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(RecordingReaderTest, CaptionShowsFolderAndStart) {
    ASSERT_EQ(Open({{"p01234m.htr", "1 2"}, {"p01234m.fhi", "12-05-2007 22:30:15\n"}}), 0);
    EXPECT_EQ(Caption(), "SOMVIXMN - x - 12/05/2007 - 22:30:15");
    EXPECT_EQ(MakeCaption({}, {}, {}, {}, {}), "SOMVIXMN");
}

TEST_F(RecordingReaderTest, MissingOrShortStartFileGivesEmptyValues) {
    ASSERT_EQ(Open({{"p01234m.htr", "1 2"}}), 0);
    EXPECT_EQ(Caption(), "SOMVIXMN - x");
    ASSERT_EQ(Open({{"p01234m.htr", "1 2"}, {"p01234m.fhi", "01-02-2003"}}, "short"), 0);
    EXPECT_EQ(m_store->m_strStartDate, "01/02/2003");
    EXPECT_EQ(m_store->m_strStartTime, "");
    const std::string longToken(100, '7');
    ASSERT_EQ(Open({{"p01234m.htr", "1 2"}, {"p01234m.fhi", longToken + " 10:00:00"}}, "long"), 0);
    EXPECT_EQ(m_store->m_strStartDate, "");
    EXPECT_EQ(m_store->m_strStartTime, "10:00:00");
    EXPECT_EQ(Caption(), "SOMVIXMN - long");
}

TEST_F(RecordingReaderTest, SecondOpenLeavesNoValueOfTheFirst) {
    ASSERT_EQ(Open({{"p01234m.htr", test::SteadyTrend(100, 60)},
                    {"p01234m.imp", test::SteadyImpedances(100, 3)},
                    {"p01234m.fhi", "01-01-2001 01:00:00"}},
                   "first"),
              0);
    ASSERT_EQ(Open({{"p01234m.htr", test::SteadyTrend(10, 30)}}, "second"), 0);
    EXPECT_EQ(m_store->m_nSamples, 10);
    for (size_t i = 10; i < MAX_SAMPLES; ++i) {
        ASSERT_EQ(m_store->m_trend1[i], NO_DATA) << i;
        ASSERT_EQ(m_store->m_trend2Read[i], NO_DATA) << i;
    }
    EXPECT_EQ(m_store->m_impedance1[5], 0.0);
    EXPECT_EQ(m_store->m_strStartDate, "");
    EXPECT_EQ(Caption(), "SOMVIXMN - second");
}

TEST_F(RecordingReaderTest, MissingTrendFileShowsNoCurveAndKeepsTheSampleCount) {
    ASSERT_EQ(Open({{"p01234m.htr", test::SteadyTrend(800, 60)}}, "first"), 0);
    ASSERT_EQ(Open({{"p01234m.imp", test::SteadyImpedances(5, 3)}}, "second"), -1);
    EXPECT_EQ(m_store->m_nSamples, 800);
    EXPECT_EQ(m_store->m_trend1[0], NO_DATA);
    EXPECT_EQ(m_store->m_trend1Read[799], NO_DATA);
    EXPECT_EQ(m_store->m_impedance2[4], 3.0);
    EXPECT_EQ(m_store->m_bChartShown, 1);
}

TEST_F(RecordingReaderTest, TrendFileThatGivesNoCurveIsToldApart) {
    enum class Make { Text, Nothing, Folder, Fifo };
    const struct {
        const char* name;
        Make make;
        const char* text;
        TrendFileProblem problem;
    } rows[] = {
        {"samples", Make::Text, "1 2 3", TrendFileProblem::None},
        {"no pair", Make::Text, "1", TrendFileProblem::NoSamples},
        {"empty", Make::Text, "", TrendFileProblem::NoSamples},
        {"missing", Make::Nothing, "", TrendFileProblem::Missing},
        {"folder", Make::Folder, "", TrendFileProblem::Folder},
        {"FIFO", Make::Fifo, "", TrendFileProblem::Unreadable},
    };
    int row = 0;
    for (const auto& [name, make, text, problem] : rows) {
        SCOPED_TRACE(name);
        // A recording read before keeps its sample count when the next .htr cannot be opened.
        ASSERT_EQ(Open({{"p01234m.htr", "5 6 7 8"}}, "before" + std::to_string(row)), 0);
        const auto folder = test::WriteRecordingFolder(m_root.Path(), std::to_string(row++), {});
        const std::filesystem::path htr = folder / "p01234m.htr";
        if (make == Make::Text) {
            test::WriteFileBytes(htr, text);
        } else if (make == Make::Folder) {
            std::filesystem::create_directory(htr);
        } else if (make == Make::Fifo) {
            ASSERT_EQ(mkfifo(htr.c_str(), 0600), 0);
        }
        ASSERT_EQ(SelectRecordingFile(*m_store, htr.string()), 0);
        const int result = LoadRecording(*m_store, m_settings, {});
        EXPECT_EQ(DiagnoseTrendFile(m_store->m_strPathName, result, m_store->m_nSamples), problem);
        EXPECT_EQ(TrendFileProblemText(problem, "f.htr").empty(),
                  problem == TrendFileProblem::None);
    }
}

TEST_F(RecordingReaderTest, MoreThanMaxSamplesPairsKeepTheFirst3600) {
    std::string trend = test::SteadyTrend(MAX_SAMPLES, 20);
    trend += "99 99\n98 98\n";
    std::string impedances = test::SteadyImpedances(MAX_SAMPLES + 5, 2);
    ASSERT_EQ(Open({{"p01234m.htr", trend}, {"p01234m.imp", impedances}}), 0);
    EXPECT_EQ(m_store->m_nSamples, MAX_SAMPLES);
    EXPECT_EQ(m_store->m_trend1[MAX_SAMPLES - 1], 20.0);
    EXPECT_EQ(m_store->m_impedance1[MAX_SAMPLES - 1], 2.0);
}

TEST_F(RecordingReaderTest, MissingImpedanceFileGivesZeroImpedances) {
    ASSERT_EQ(Open({{"p01234m.htr", "1 2 3 4"}, {"p01234m.imp", "5 6 7"}}, "first"), 0);
    EXPECT_EQ(m_store->m_impedance1[1], 7.0);
    EXPECT_EQ(m_store->m_impedance2[1], 0.0);
    ASSERT_EQ(Open({{"p01234m.htr", "1 2 3 4"}}, "second"), 0);
    EXPECT_EQ(m_store->m_impedance1[0], 0.0);
    EXPECT_EQ(m_store->m_impedance1[1], 0.0);
}

TEST_F(RecordingReaderTest, PathFromTheCurrentFolderNamesTheFolderOfTheRecording) {
    const auto folder = test::WriteRecordingFolder(m_root.Path(), "x",
                                                   {{"p01234m.htr", "1 2"},
                                                    {"p01234m.fhi", "12-05-2007 22:30:15"},
                                                    {"pxm.evt", "EventResults a b 5 X"}});
    std::filesystem::create_directory(m_root.Path() / "y");
    const struct {
        const char* currentFolder;
        const char* pathName;
    } rows[] = {{"x", "p01234m.htr"}, {"x", "./p01234m.htr"}, {"y", "../x/p01234m.htr"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pathName);
        const test::OtherCurrentDirectory change(m_root.Path() / row.currentFolder);
        ASSERT_EQ(SelectRecordingFile(*m_store, row.pathName), 0);
        ASSERT_EQ(LoadRecording(*m_store, m_settings, {}), 0);
        EXPECT_EQ(m_store->m_strPathName, (folder / "p01234m.htr").string());
        EXPECT_EQ(Caption(), "SOMVIXMN - x - 12/05/2007 - 22:30:15");
        EXPECT_EQ(m_store->m_nEvents, 1);
    }
}

// A FIFO or a device in a file's place is not read at all, and a regular file only up to the
// bound: every open ends, with what the regular files hold.
TEST_F(RecordingReaderTest, FilesThatNeverEndAreNotReadToTheirEnd) {
    enum class Kind { Fifo, DeviceZero, Folder, BlanksPastTheBound };
    const struct {
        const char* name;
        const char* file;
        Kind kind;
        int result;
        int samples;
    } rows[] = {
        {"FIFO as start file", "p01234m.fhi", Kind::Fifo, 0, 2},
        {"zeros as start file", "p01234m.fhi", Kind::DeviceZero, 0, 2},
        {"FIFO as event file", "p01234m.evt", Kind::Fifo, 0, 2},
        {"zeros as event file", "p01234m.evt", Kind::DeviceZero, 0, 2},
        {"FIFO as impedances", "p01234m.imp", Kind::Fifo, 0, 2},
        {"FIFO as trend", "p01234m.htr", Kind::Fifo, -1, 0},
        {"folder as trend", "p01234m.htr", Kind::Folder, -1, 0},
        {"pair past the bound", "p01234m.htr", Kind::BlanksPastTheBound, 0, 0},
    };
    int row = 0;
    for (const auto& [name, file, kind, result, samples] : rows) {
        SCOPED_TRACE(name);
        // The event file is named after the folder's last five characters.
        const auto folder = test::WriteRecordingFolder(
            m_root.Path(), std::to_string(row++) + "-p01234", {{"p01234m.htr", "1 2 3 4"}});
        const std::filesystem::path path = folder / file;
        std::filesystem::remove(path);
        switch (kind) {
            case Kind::Fifo:
                ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
                break;
            case Kind::DeviceZero:
                std::filesystem::create_symlink("/dev/zero", path);
                break;
            case Kind::Folder:
                std::filesystem::create_directory(path);
                break;
            case Kind::BlanksPastTheBound:
                test::WriteFileBytes(path, std::string(MAX_INPUT_FILE_BYTES, ' ') + "5 6");
                break;
        }
        const std::string htr = (folder / "p01234m.htr").string();
        const auto open = [&] {
            m_store = std::make_unique<RecordingStore>();
            return SelectRecordingFile(*m_store, htr) == 0 ? LoadRecording(*m_store, m_settings, {})
                                                           : -2;
        };
        const int ended = test::RunInChild(20, [&] { return open() + 2; });
        EXPECT_EQ(ended, result + 2);
        if (ended != result + 2) {
            continue;  // read here, it could hang the suite
        }
        EXPECT_EQ(open(), result);
        EXPECT_EQ(m_store->m_nSamples, samples);
        EXPECT_EQ(m_store->m_nEvents, 0);
        EXPECT_EQ(m_store->m_strStartDate, "");
    }
}

TEST(RecordingPaths, CompanionAndEventFilesFollowTheFolder) {
    EXPECT_EQ(CompanionPath("/d/x/p01234m.htr", "htr", "imp"), "/d/x/p01234m.imp");
    EXPECT_EQ(CompanionPath("/d/a.b/p1.HTR", "HTR", "fhi"), "/d/a.b/p1.fhi");
    EXPECT_EQ(EventFilePath("/d/paciente01234/p01234m.htr", "p01234m", "htr"),
              "/d/paciente01234/p01234m.evt");
    EXPECT_EQ(EventFilePath("/d/abc/any.htr", "any", "htr"), "/d/abc/pabcm.evt");
    EXPECT_EQ(RecordingFolderName("/d/x/p01234m.htr", "p01234m", "htr"), "x");
    const RecordingFileName name = SplitRecordingPath("/d/a.b/p.1.Htr");
    EXPECT_EQ(name.strTitle, "p.1");
    EXPECT_EQ(name.strExt, "Htr");
    EXPECT_TRUE(IsRecordingExtension(name.strExt));
    EXPECT_FALSE(IsRecordingExtension("htrx"));
    EXPECT_FALSE(IsRecordingExtension(""));
}

}  // namespace
}  // namespace somvix
