#include <gtest/gtest.h>

#include <map>

#include "hostnet/command_runner.h"
#include "hostnet/netns_lab.h"
#include "support/temp_dir.h"

namespace somvix {
namespace {

namespace fs = std::filesystem;
using test::BackgroundProcess;
using test::NetnsLab;

const std::string BIN_DIR = SOMVIX_BIN_DIR;

// Every file below a folder by its name, with its bytes.
std::map<std::string, std::string> FilesByName(const fs::path& folder) {
    std::map<std::string, std::string> files;
    std::error_code error;
    for (fs::recursive_directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        if (entry->is_regular_file()) {
            files[entry->path().filename().string()] = test::ReadFileBytes(entry->path());
        }
    }
    return files;
}

// The monitor in one namespace at 10.8.0.1, somvixmn-cli in the other on a bare adapter: the
// download works only through the address the adaptation adds, and the address is gone after.
TEST(NetnsDownload, CableDownloadAddsTheAddressForItsTimeAndFetchesEverything) {
    std::string whyNot;
    const std::unique_ptr<NetnsLab> lab = NetnsLab::Make(whyNot);
    if (lab == nullptr) {
        GTEST_SKIP() << "skipped: " << whyNot;
    }
    const test::TempDir work;
    const fs::path samples = work.Path() / "monitor";
    const fs::path download = work.Path() / "download";
    const fs::path records = work.Path() / "records";
    fs::create_directories(download);
    fs::create_directories(records);
    ASSERT_EQ(RunCommand(BIN_DIR + "/somvix-monitor",
                         "--make-samples " + samples.string() + " --count 3 --seed 5"),
              "");
    const std::map<std::string, std::string> served = FilesByName(samples);
    ASSERT_FALSE(served.empty());

    const fs::path monitorLog = work.Path() / "monitor.log";
    const BackgroundProcess monitor(
        test::InNamespace(lab->MonitorNamespace(), {BIN_DIR + "/somvix-monitor", "--root",
                                                    samples.string(), "--listen", "10.8.0.1"}),
        monitorLog);
    ASSERT_TRUE(test::WaitForText(monitorLog, "listening on")) << test::ReadFileBytes(monitorLog);

    const std::string output =
        RunCommand("ip", "netns exec " + lab->PcNamespace() + " " + BIN_DIR +
                             "/somvixmn-cli download --cable --interface " + lab->PcInterface() +
                             " " + download.string() + " --records-dir " + records.string());
    EXPECT_NE(output.find("Descarga de datos completada"), std::string::npos) << output;
    // The address was ours: it carried the connection and was removed by us afterwards.
    EXPECT_NE(test::ReadFileBytes(monitorLog).find("connection from 10.8.0.2"), std::string::npos)
        << test::ReadFileBytes(monitorLog);
    EXPECT_NE(output.find("Restaurando configuración de red ..."), std::string::npos) << output;
    EXPECT_EQ(lab->PcAddresses().find("10.8.0.2"), std::string::npos) << lab->PcAddresses();
    EXPECT_EQ(FilesByName(download), served);
}

}  // namespace
}  // namespace somvix
