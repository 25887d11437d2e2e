#include <gtest/gtest.h>

#include <filesystem>
#include <numeric>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "device/protocol.h"
#include "sim/sample_maker.h"
#include "support/temp_dir.h"

namespace somvix::sim {
namespace {

struct Pairs {
    std::vector<double> m_first;
    std::vector<double> m_second;
};

Pairs ReadPairs(const std::filesystem::path& path) {
    std::istringstream text(test::ReadFileBytes(path));
    Pairs pairs;
    double first = 0.0;
    double second = 0.0;
    while (text >> first >> second) {
        pairs.m_first.push_back(first);
        pairs.m_second.push_back(second);
    }
    return pairs;
}

double Mean(const std::vector<double>& values, std::size_t from, std::size_t to) {
    return std::accumulate(values.begin() + static_cast<long>(from),
                           values.begin() + static_cast<long>(to), 0.0) /
           static_cast<double>(to - from);
}

std::vector<std::string> Tokens(const std::string& text) {
    std::istringstream stream(text);
    std::vector<std::string> tokens;
    std::string token;
    while (stream >> token) {
        tokens.push_back(token);
    }
    return tokens;
}

TEST(MonitoringBaseName, IsPPlusTheLastFiveCharactersPlusM) {
    EXPECT_EQ(MonitoringBaseName("paciente00012"), "p00012m");
    EXPECT_EQ(MonitoringBaseName("abc"), "pabcm");
}

TEST(MakeSampleMonitorings, SameSeedSameBytesOtherSeedOtherBytes) {
    const test::TempDir folder;
    std::ostringstream err;
    ASSERT_EQ(MakeSampleMonitorings(folder.Path() / "a", 2, 42, err), 0);
    ASSERT_EQ(MakeSampleMonitorings(folder.Path() / "b", 2, 42, err), 0);
    ASSERT_EQ(MakeSampleMonitorings(folder.Path() / "c", 2, 43, err), 0);
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.Path() / "a")) {
        if (!entry.is_regular_file()) {
            continue;
        }
        const auto relative = std::filesystem::relative(entry.path(), folder.Path() / "a");
        EXPECT_EQ(test::ReadFileBytes(entry.path()),
                  test::ReadFileBytes(folder.Path() / "b" / relative))
            << relative;
        ++files;
    }
    EXPECT_EQ(files, 10);
    EXPECT_NE(test::ReadFileBytes(folder.Path() / "a" / "paciente00001" / "p00001m.htr"),
              test::ReadFileBytes(folder.Path() / "c" / "paciente00001" / "p00001m.htr"));
}

// What the readers and the download expect of each made-up monitoring.
TEST(MakeSampleMonitorings, WritesRealisticMonitoringsWithinTheLimits) {
    const test::TempDir folder;
    std::ostringstream err;
    constexpr int COUNT = 6;
    ASSERT_EQ(MakeSampleMonitorings(folder.Path(), COUNT, 9, err), 0) << err.str();
    const std::regex startPattern(
        "[0-3][0-9]-[01][0-9]-20[0-9][0-9] [0-2][0-9]:[0-5][0-9]:[0-5][0-9]\n");
    bool sawEmptyMnemonic = false;
    for (int index = 1; index <= COUNT; ++index) {
        const std::string name = "paciente0000" + std::to_string(index);
        const std::string base = "p0000" + std::to_string(index) + "m";
        const auto monitoring = folder.Path() / name;
        SCOPED_TRACE(name);
        for (const char* extension : {".htr", ".imp", ".fhi", ".evt", ".eeg"}) {
            const auto path = monitoring / (base + extension);
            ASSERT_TRUE(std::filesystem::exists(path)) << path;
            EXPECT_EQ(CheckFileSize(static_cast<std::uint32_t>(std::filesystem::file_size(path)),
                                    path.string()),
                      0)
                << path;
        }
        EXPECT_TRUE(
            std::regex_match(test::ReadFileBytes(monitoring / (base + ".fhi")), startPattern));

        // Trend: high while awake, lower during the procedure, rising at the end.
        const Pairs trend = ReadPairs(monitoring / (base + ".htr"));
        const std::size_t samples = trend.m_first.size();
        ASSERT_GE(samples, 400u);
        ASSERT_LE(samples, static_cast<std::size_t>(MAX_SAMPLE_COUNT));
        for (std::size_t i = 0; i < samples; ++i) {
            ASSERT_TRUE(trend.m_first[i] >= 0.0 && trend.m_first[i] <= 100.0);
            ASSERT_TRUE(trend.m_second[i] >= 0.0 && trend.m_second[i] <= 100.0);
        }
        const double awake = Mean(trend.m_first, 0, samples / 40);
        const double middle = Mean(trend.m_first, samples * 4 / 10, samples * 6 / 10);
        const double end = Mean(trend.m_first, samples - samples / 40, samples);
        EXPECT_GT(awake, middle + 20.0);
        EXPECT_GT(end, middle + 15.0);

        // Impedances: mostly low, some bad contact, the band 13 to 15 and the value 16.
        const Pairs impedances = ReadPairs(monitoring / (base + ".imp"));
        ASSERT_EQ(impedances.m_first.size(), samples);
        std::size_t low = 0;
        std::size_t bad = 0;
        std::size_t band = 0;
        std::size_t off = 0;
        for (std::size_t i = 0; i < samples; ++i) {
            for (const double value : {impedances.m_first[i], impedances.m_second[i]}) {
                low += value < 5.0 ? 1 : 0;
                bad += value >= 5.0 && value < 13.0 ? 1 : 0;
                band += value >= 13.0 && value < 15.0 ? 1 : 0;
                off += value == 16.0 ? 1 : 0;
            }
        }
        EXPECT_GT(low, samples * 2 * 9 / 10);
        EXPECT_GT(bad, 0u);
        EXPECT_GT(band, 0u);
        EXPECT_GT(off, 0u);

        // Events: "EventResults_v1", three header tokens, then "time code mnemonic" records
        // on the axis (units of 4 samples).
        const std::vector<std::string> events =
            Tokens(test::ReadFileBytes(monitoring / (base + ".evt")));
        ASSERT_GE(events.size(), 4u + 3u);
        EXPECT_EQ(events[0], "EventResults_v1");
        ASSERT_EQ((events.size() - 4) % 3, 0u);
        EXPECT_LE((events.size() - 4) / 3, 50u);
        for (std::size_t i = 4; i < events.size(); i += 3) {
            const int time = std::stoi(events[i]);
            EXPECT_GE(time, 2);
            EXPECT_LE(time, static_cast<int>(samples / 4));
            EXPECT_LE(events[i + 2].size(), 51u);
            sawEmptyMnemonic = sawEmptyMnemonic || events[i + 2] == "EMPTY_MNEMO";
        }
    }
    EXPECT_TRUE(sawEmptyMnemonic);
}

}  // namespace
}  // namespace somvix::sim
