#include "sim/sample_maker.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <ostream>
#include <random>
#include <string>
#include <vector>

// The numbers come from std::mt19937, whose sequence the standard fixes, turned into values here
// (not by the library's distributions, which differ between implementations), so a seed gives
// the same files everywhere.

namespace somvix::sim {

namespace {

class SampleRandom {
public:
    explicit SampleRandom(std::uint32_t seed) : m_engine(seed) {}

    double Uniform() { return m_engine() / 4294967296.0; }  // [0, 1)
    double Between(double low, double high) { return low + (high - low) * Uniform(); }
    int Integer(int low, int high) {  // low to high, both included
        return low + static_cast<int>(m_engine() % static_cast<std::uint32_t>(high - low + 1));
    }
    // Roughly normal around 0 with the given spread.
    double Noise(double spread) {
        return (Uniform() + Uniform() + Uniform() + Uniform() - 2.0) * spread;
    }

private:
    std::mt19937 m_engine;
};

struct Pair {
    double m_dFirst;
    double m_dSecond;
};

struct MonitoringShape {
    int m_nSamples;
    int m_nInductionEnd;  // sample where the procedure level is reached
    int m_nWakeStart;     // sample where the index starts to rise again
};

double Clamp(double value, double low, double high) {
    return std::min(high, std::max(low, value));
}

std::string FormatValue(double value) {
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%.1f", value);
    return text.data();
}

// Channel 1 moves like a monitored index: high while awake, lower through the procedure and
// rising at the end; channel 2 follows on the same 0 to 100 scale with more spread.
std::vector<Pair> MakeTrend(const MonitoringShape& shape, SampleRandom& random) {
    std::vector<Pair> trend;
    const double awake = random.Between(90.0, 97.0);
    const double endLevel = random.Between(80.0, 92.0);
    double level = random.Between(40.0, 55.0);
    double second = random.Between(55.0, 75.0);
    for (int i = 0; i < shape.m_nSamples; ++i) {
        double target = 0.0;
        if (i < shape.m_nInductionEnd) {
            const double done = static_cast<double>(i) / shape.m_nInductionEnd;
            target = awake + (level - awake) * std::min(1.0, std::max(0.0, done * 3.0 - 2.0));
        } else if (i < shape.m_nWakeStart) {
            level = Clamp(level + random.Noise(0.6), 35.0, 62.0);
            target = level;
        } else {
            const double done = static_cast<double>(i - shape.m_nWakeStart) /
                                std::max(1, shape.m_nSamples - shape.m_nWakeStart);
            target = level + (endLevel - level) * done;
        }
        second = Clamp(second + random.Noise(2.0) + (target * 0.6 - second) * 0.05, 0.0, 100.0);
        trend.push_back({Clamp(target + random.Noise(2.5), 0.0, 100.0), second});
    }
    return trend;
}

// Impedances mostly low, with a few stretches of bad contact on one electrode, a few samples in
// the band 13 to 15 and a few stretches at 16 (measurement off).
std::vector<Pair> MakeImpedances(int samples, SampleRandom& random) {
    std::vector<Pair> impedances;
    double first = random.Between(1.0, 3.0);
    double second = random.Between(1.0, 3.0);
    for (int i = 0; i < samples; ++i) {
        first = Clamp(first + random.Noise(0.15), 0.5, 4.5);
        second = Clamp(second + random.Noise(0.15), 0.5, 4.5);
        impedances.push_back({first, second});
    }
    const auto stretch = [&](int minLength, int maxLength, auto&& setValue) {
        const int length = std::min(samples, random.Integer(minLength, maxLength));
        const int start = random.Integer(0, samples - length);
        for (int i = start; i < start + length; ++i) {
            setValue(impedances[static_cast<std::size_t>(i)]);
        }
    };
    for (int n = random.Integer(1, 3); n > 0; --n) {
        const bool onFirst = random.Uniform() < 0.5;
        const double bad = random.Between(6.0, 12.0);
        stretch(20, 120, [&](Pair& pair) {
            (onFirst ? pair.m_dFirst : pair.m_dSecond) = Clamp(bad + random.Noise(0.5), 5.0, 12.5);
        });
    }
    for (int n = random.Integer(3, 8); n > 0; --n) {
        const double band = random.Between(13.0, 14.9);
        stretch(1, 1, [&](Pair& pair) { pair.m_dSecond = band; });
    }
    for (int n = random.Integer(1, 2); n > 0; --n) {
        stretch(5, 30, [](Pair& pair) { pair.m_dFirst = pair.m_dSecond = 16.0; });
    }
    return impedances;
}

std::string PairsText(const std::vector<Pair>& pairs) {
    std::string text;
    for (const Pair& pair : pairs) {
        text += FormatValue(pair.m_dFirst) + " " + FormatValue(pair.m_dSecond) + "\n";
    }
    return text;
}

std::string TwoDigits(int value) {
    return std::string(1, static_cast<char>('0' + value / 10)) +
           static_cast<char>('0' + value % 10);
}

// "DD-MM-YYYY HH:MM:SS"
std::string MakeStartText(SampleRandom& random) {
    return TwoDigits(random.Integer(1, 28)) + "-" + TwoDigits(random.Integer(1, 12)) + "-" +
           std::to_string(random.Integer(2006, 2010)) + " " + TwoDigits(random.Integer(7, 20)) +
           ":" + TwoDigits(random.Integer(0, 59)) + ":" + TwoDigits(random.Integer(0, 59));
}

// An "EventResults_v1" file: a header of three tokens, then "time code mnemonic" records with
// times in axis units of 4 samples.
std::string MakeEventText(const std::string& name, const std::string& start,
                          const MonitoringShape& shape, SampleRandom& random) {
    static constexpr std::array<const char*, 8> MNEMONICS = {
        "INDUCCION",   "INTUBACION", "INCISION", "BOLO",
        "EMPTY_MNEMO", "EXTUBACION", "MARCA",    "EMPTY_MNEMO"};
    const int units = shape.m_nSamples / 4;
    std::string text = "EventResults_v1\n" + name + " " + start + "\n";
    int time = random.Integer(2, 20);
    for (int n = random.Integer(4, 10); n > 0 && time <= units; --n) {
        text += std::to_string(time) + " " + std::to_string(random.Integer(1, 40)) + " " +
                MNEMONICS[static_cast<std::size_t>(random.Integer(0, MNEMONICS.size() - 1))] + "\n";
        time += random.Integer(5, std::max(6, units / 6));
    }
    return text;
}

// A few seconds of a made-up EEG as 16-bit little-endian samples.
std::string MakeEegBytes(SampleRandom& random) {
    const int samples = random.Integer(2000, 10000);
    std::string bytes(static_cast<std::size_t>(samples) * 2, '\0');
    double phase = 0.0;
    for (int i = 0; i < samples; ++i) {
        phase += random.Between(0.05, 0.12);
        const double value = 800.0 * (phase - static_cast<int>(phase) - 0.5) + random.Noise(200.0);
        const auto sample = static_cast<std::uint16_t>(static_cast<std::int16_t>(value));
        bytes[static_cast<std::size_t>(i) * 2] = static_cast<char>(sample & 0xFFu);
        bytes[static_cast<std::size_t>(i) * 2 + 1] = static_cast<char>(sample >> 8);
    }
    return bytes;
}

int WriteFile(const std::filesystem::path& path, const std::string& bytes, std::ostream& err) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        err << "somvix-monitor: cannot write " << path.string() << "\n";
        return -1;
    }
    return 0;
}

}  // namespace

std::string MonitoringBaseName(const std::string& folderName) {
    const std::size_t keep = std::min<std::size_t>(5, folderName.size());
    return "p" + folderName.substr(folderName.size() - keep) + "m";
}

int MakeSampleMonitorings(const std::filesystem::path& folder, int count, std::uint32_t seed,
                          std::ostream& err) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    SampleRandom random(seed);
    for (int index = 1; index <= count; ++index) {
        std::array<char, 32> number{};
        std::snprintf(number.data(), number.size(), "%05d", index);
        const std::string name = std::string("paciente") + number.data();
        const std::filesystem::path monitoring = folder / name;
        std::filesystem::create_directories(monitoring, error);
        if (error) {
            err << "somvix-monitor: cannot create " << monitoring.string() << "\n";
            return -1;
        }
        MonitoringShape shape{};
        shape.m_nSamples = random.Integer(MAX_SAMPLE_COUNT / 2, MAX_SAMPLE_COUNT);
        shape.m_nInductionEnd = shape.m_nSamples * random.Integer(6, 12) / 100;
        shape.m_nWakeStart = shape.m_nSamples * random.Integer(80, 90) / 100;
        const std::string start = MakeStartText(random);
        const std::string base = MonitoringBaseName(name);
        const std::string trend = PairsText(MakeTrend(shape, random));
        const std::string impedances = PairsText(MakeImpedances(shape.m_nSamples, random));
        const std::string events = MakeEventText(name, start, shape, random);
        if (WriteFile(monitoring / (base + ".htr"), trend, err) != 0 ||
            WriteFile(monitoring / (base + ".imp"), impedances, err) != 0 ||
            WriteFile(monitoring / (base + ".fhi"), start + "\n", err) != 0 ||
            WriteFile(monitoring / (base + ".evt"), events, err) != 0 ||
            WriteFile(monitoring / (base + ".eeg"), MakeEegBytes(random), err) != 0) {
            return -1;
        }
    }
    return 0;
}

}  // namespace somvix::sim
