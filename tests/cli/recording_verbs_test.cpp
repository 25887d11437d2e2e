#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "chart/recording_files.h"
#include "cli/cli_command.h"
#include "support/temp_dir.h"

namespace somvix {
namespace {

struct CliResult {
    int status;
    std::string out;
    std::string err;
};

CliResult RunVerb(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "somvixmn-cli");
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    CliContext context{in, out, err, false};
    const int status = RunCli(static_cast<int>(argv.size()), argv.data(), context);
    return {status, out.str(), err.str()};
}

class RecordingVerbsTest : public ::testing::Test {
protected:
    RecordingVerbsTest() {
        test::WriteFileBytes(m_defaults,
                             "3 UMBRALELECTRODOMAL 5 VERCONTACTOMAL 1 VERIMPEDANCIAOFF 1");
    }

    // A verb with the default display settings, whatever the settings file beside the test
    // program holds, unless the arguments name a settings file.
    CliResult RunVerb(std::vector<std::string> arguments) const {
        if (std::find(arguments.begin(), arguments.end(), "--settings") == arguments.end()) {
            arguments.insert(arguments.end(), {"--settings", m_defaults.string()});
        }
        return somvix::RunVerb(arguments);
    }

    std::string Write(const std::map<std::string, std::string>& files,
                      const std::string& folder = "paciente00012") {
        const auto directory = test::WriteRecordingFolder(m_dir.Path(), folder, files);
        return (directory / "p00012m.htr").string();
    }

    test::TempDir m_dir;
    std::filesystem::path m_defaults = m_dir.Path() / "defaults.txt";
};

TEST_F(RecordingVerbsTest, InfoPrintsTheRecordingAsJson) {
    const std::string htr =
        Write({{"p00012m.htr", test::SteadyTrend(721, 50)},
               {"p00012m.fhi", "12-05-2007 22:30:15"},
               {"p00012m.evt", "EventResults_v1 a b c 2 E1 SUE\xD1O 30 E2 EMPTY_MNEMO"}});
    const CliResult result = RunVerb({"info", htr});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto info = nlohmann::ordered_json::parse(result.out);
    std::vector<std::string> keys;
    for (const auto& [key, value] : info.items()) {
        keys.push_back(key);
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"caption", "samples", "span_units", "start_date",
                                              "start_time", "events_v1", "events", "hidden"}));
    EXPECT_EQ(info["caption"], "SOMVIXMN - paciente00012 - 12/05/2007 - 22:30:15");
    EXPECT_EQ(info["samples"], 721);
    EXPECT_EQ(info["span_units"], 190);
    EXPECT_EQ(info["start_date"], "12/05/2007");
    EXPECT_EQ(info["start_time"], "22:30:15");
    EXPECT_EQ(info["events_v1"], true);
    ASSERT_EQ(info["events"].size(), 2u);
    EXPECT_EQ(info["events"][0]["time"], 2);
    EXPECT_EQ(info["events"][0]["code"], "E1");
    EXPECT_EQ(info["events"][0]["mnemonic"], "SUEÑO");
    EXPECT_EQ(info["events"][1]["mnemonic"], "EMPTY_MNEMO");
    EXPECT_TRUE(info["hidden"].is_array());
}

TEST_F(RecordingVerbsTest, InfoOfOlderEventsAndCodePageTexts) {
    const std::string htr = Write({{"p00012m.htr", "1 2"},
                                   {"p00012m.fhi",
                                    "01-02-2003 ma\xF1"
                                    "ana"},
                                   {"p00012m.evt", "EventResults a b 5 X\x80"}},
                                  "paciente\xD1"
                                  "00012");
    const CliResult result = RunVerb({"info", htr});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto info = nlohmann::json::parse(result.out);
    EXPECT_EQ(info["events_v1"], false);
    EXPECT_TRUE(info["events"][0]["mnemonic"].is_null());
    EXPECT_EQ(info["caption"], "SOMVIXMN - pacienteÑ00012 - 01/02/2003 - mañana");
    EXPECT_EQ(info["start_time"], "mañana");
    EXPECT_EQ(info["events"][0]["code"], "X€");
}

TEST_F(RecordingVerbsTest, WrongEventFileIsReportedAndTheRecordingStillRead) {
    const std::string htr = Write({{"p00012m.htr", "1 2 3 4"}, {"p00012m.evt", "eventresults"}});
    const CliResult result = RunVerb({"info", htr});
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.err.find("Archivo de eventos incorrecto"), std::string::npos);
    EXPECT_NE(result.err.find("p00012m.evt"), std::string::npos);
    EXPECT_EQ(nlohmann::json::parse(result.out)["samples"], 2);
}

TEST_F(RecordingVerbsTest, FilesThatAreNoRecordingFail) {
    const std::string missing = Write({{"p00012m.imp", "1 2"}});
    const std::string valid = Write({{"p00012m.htr", "1 2"}}, "paciente00013");
    // A folder is no recording and no settings file, as a missing file is not.
    const std::string folder = (m_dir.Path() / "folder.htr").string();
    std::filesystem::create_directory(folder);
    const struct {
        std::vector<std::string> arguments;
        int status;
        std::string message;
    } rows[] = {
        {{"info", missing}, 1, "p00012m.htr: cannot be read"},
        {{"export", (m_dir.Path() / "a.txt").string(), "--csv", "x.csv"},
         1,
         "not a trend recording"},
        {{"info", folder}, 1, "folder.htr: cannot be read"},
        {{"info", valid, "--settings", m_dir.Path().string()}, 1, ": cannot be read"},
        {{"info"}, EXIT_USAGE, "required"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.arguments.back());
        const CliResult result = RunVerb(row.arguments);
        EXPECT_EQ(result.status, row.status);
        EXPECT_NE(result.err.find(row.message), std::string::npos) << result.err;
    }
}

TEST_F(RecordingVerbsTest, ExportWritesEverySampleAsRead) {
    const std::string htr =
        Write({{"p00012m.htr", "55.2 48 56.1 47.5 7"}, {"p00012m.imp", "3 4 5.5 16"}});
    const std::string csv = (m_dir.Path() / "out.csv").string();
    const CliResult result = RunVerb({"export", htr, "--csv", csv});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(test::ReadFileBytes(csv),
              "sample,trend1,trend2,impedance1,impedance2,trend1_shown,trend2_shown\n"
              "0,55.2,48,3,4,55.2,48\n"
              "1,56.1,47.5,5.5,16,56.1,47.5\n");
    const CliResult unwritable =
        RunVerb({"export", htr, "--csv", (m_dir.Path() / "no" / "such.csv").string()});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("cannot be written"), std::string::npos);
}

TEST_F(RecordingVerbsTest, HiddenSamplesAreListedAndExportedEmpty) {
    const std::string htr = Write(
        {{"p00012m.htr", "10 11 20 21 30 31 40 41"}, {"p00012m.imp", "3 3 13.5 3 3 14 3 15"}});
    const CliResult info = RunVerb({"info", htr});
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(nlohmann::json::parse(info.out)["hidden"], nlohmann::json::parse("[1, 2]"));

    const std::string csv = (m_dir.Path() / "hidden.csv").string();
    ASSERT_EQ(RunVerb({"export", htr, "--csv", csv}).status, 0);
    EXPECT_EQ(test::ReadFileBytes(csv),
              "sample,trend1,trend2,impedance1,impedance2,trend1_shown,trend2_shown\n"
              "0,10,11,3,3,10,11\n"
              "1,20,21,13.5,3,,\n"
              "2,30,31,3,14,,\n"
              "3,40,41,3,15,40,41\n");
}

TEST_F(RecordingVerbsTest, SettingsFileDecidesWhatIsHidden) {
    const std::string htr =
        Write({{"p00012m.htr", "10 11 20 21 30 31 40 41"}, {"p00012m.imp", "3 3 16 3 7 3 3 13"}});
    const std::string settings = (m_dir.Path() / "settings.txt").string();
    test::WriteFileBytes(settings, "2 VERIMPEDANCIAOFF 0 VERCONTACTOMAL 0");
    const CliResult result = RunVerb({"info", htr, "--settings", settings});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(nlohmann::json::parse(result.out)["hidden"], nlohmann::json::parse("[1, 2, 3]"));

    const CliResult missing =
        RunVerb({"info", htr, "--settings", (m_dir.Path() / "none.txt").string()});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("none.txt: cannot be read"), std::string::npos);
}

// Without --settings the verbs read the settings file beside the program and never create it.
TEST_F(RecordingVerbsTest, SettingsFileBesideTheProgramIsTheDefault) {
    const std::string htr = Write({{"p00012m.htr", "10 11 20 21"}, {"p00012m.imp", "3 16 3 3"}});
    const std::filesystem::path programDir = m_dir.Path() / "program";
    std::filesystem::create_directories(programDir);
    const std::filesystem::path program = programDir / "somvixmn-cli";
    std::filesystem::copy_file(SOMVIX_BIN_DIR "/somvixmn-cli", program);
    const auto run = [&] {
        QProcess process;
        process.start(QString::fromStdString(program.string()),
                      {QStringLiteral("info"), QString::fromStdString(htr)});
        EXPECT_TRUE(process.waitForFinished(60000));
        return nlohmann::json::parse(process.readAllStandardOutput().toStdString());
    };
    EXPECT_TRUE(run()["hidden"].empty());
    EXPECT_FALSE(std::filesystem::exists(programDir / "configuracion.txt"));
    test::WriteFileBytes(programDir / "configuracion.txt", "1\r\nVERIMPEDANCIAOFF\t0\r\n");
    EXPECT_EQ(run()["hidden"], nlohmann::json::parse("[0]"));
}

TEST_F(RecordingVerbsTest, RenderDrawsThePictureOfTheGivenSize) {
    const std::string htr = Write({{"p00012m.htr", test::SteadyTrend(400, 65)}});
    const std::string png = (m_dir.Path() / "out.png").string();
    ASSERT_EQ(RunVerb({"render", htr, "--png", png}).status, 0);
    QImage image(QString::fromStdString(png));
    EXPECT_EQ(image.size(), QSize(1024, 700));
    ASSERT_EQ(RunVerb({"render", htr, "--png", png, "--size", "640x480"}).status, 0);
    image.load(QString::fromStdString(png));
    EXPECT_EQ(image.size(), QSize(640, 480));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::white));
    int red = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            red += image.pixel(x, y) == qRgb(255, 0, 0) ? 1 : 0;
        }
    }
    EXPECT_GT(red, 500);
}

TEST_F(RecordingVerbsTest, RenderRefusesBadSizesAndWindows) {
    const std::string htr = Write({{"p00012m.htr", "1 2"}});
    const std::string png = (m_dir.Path() / "out.png").string();
    const struct {
        std::vector<std::string> options;
        const char* named;
    } rows[] = {
        {{"--size", "0x10"}, "--size"},
        {{"--size", "10"}, "--size"},
        {{"--size", "10x"}, "--size"},
        {{"--size", "x10"}, "--size"},
        {{"--size", "-5x10"}, "--size"},
        {{"--size", "20000x10"}, "--size"},
        {{"--size", "10X10"}, "--size"},
        {{"--from", "10"}, "--from"},
        {{"--to", "10"}, "--from"},
        {{"--from", "10", "--to", "10"}, "--from"},
        {{"--from", "-4", "--to", "10"}, "--from"},
    };
    for (const auto& [options, named] : rows) {
        std::vector<std::string> arguments = {"render", htr, "--png", png};
        arguments.insert(arguments.end(), options.begin(), options.end());
        SCOPED_TRACE(options.back());
        const CliResult result = RunVerb(arguments);
        EXPECT_EQ(result.status, EXIT_USAGE);
        EXPECT_NE(result.err.find(named), std::string::npos);
    }
}

TEST_F(RecordingVerbsTest, RenderRunsWithoutADisplayAsItsOwnProgram) {
    const std::string htr = Write({{"p00012m.htr", test::SteadyTrend(100, 30)}});
    const QString png = QString::fromStdString((m_dir.Path() / "own.png").string());
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("DISPLAY"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(SOMVIX_BIN_DIR "/somvixmn-cli"),
                  {QStringLiteral("render"), QString::fromStdString(htr), QStringLiteral("--png"),
                   png, QStringLiteral("--size"), QStringLiteral("300x200")});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_EQ(QImage(png).size(), QSize(300, 200));

    // A copy of the program away from its drawing module says so, and only `render` needs it.
    const std::filesystem::path alone = m_dir.Path() / "bin" / "somvixmn-cli";
    std::filesystem::create_directories(alone.parent_path());
    std::filesystem::copy_file(SOMVIX_BIN_DIR "/somvixmn-cli", alone);
    process.start(QString::fromStdString(alone.string()),
                  {QStringLiteral("render"), QString::fromStdString(htr), QStringLiteral("--png"),
                   png + QStringLiteral(".2")});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(process.readAllStandardError().contains("render: cannot draw: "));
    EXPECT_FALSE(std::filesystem::exists(png.toStdString() + ".2"));
    process.start(QString::fromStdString(alone.string()),
                  {QStringLiteral("info"), QString::fromStdString(htr)});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0);
}

}  // namespace
}  // namespace somvix
