#include <CLI/CLI.hpp>

#include <charconv>
#include <filesystem>
#include <fstream>
#include <ostream>

#include "cli/recording_commands.h"

namespace somvix {

namespace {

// The shortest text that reads back as the same double: values as read, in every locale.
std::string FormatValue(double value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof(text), value);
    return std::string(text, result.ptr);
}

std::string FormatShown(double value) {
    return value == NO_DATA ? std::string() : FormatValue(value);
}

// `export FILE.htr --csv OUT.csv`: every sample of a recording, as read and as shown.
class ExportCommand : public RecordingVerb {
public:
    const char* Name() const override { return "export"; }
    const char* Description() const override {
        return "Write a recording's samples, impedances and shown values as CSV";
    }

protected:
    void RegisterOptions(CLI::App& verb) override {
        verb.add_option("--csv", m_strCsv, "The CSV file to write")->required();
    }

    int RunOnRecording(const RecordingStore& store, CliContext& context) override {
        std::ofstream csv(std::filesystem::path(m_strCsv),
                          std::ios::out | std::ios::binary | std::ios::trunc);
        csv << "sample,trend1,trend2,impedance1,impedance2,trend1_shown,trend2_shown\n";
        for (size_t i = 0; i < static_cast<size_t>(store.m_nSamples); ++i) {
            csv << i << ',' << FormatValue(store.m_trend1Read[i]) << ','
                << FormatValue(store.m_trend2Read[i]) << ',' << FormatValue(store.m_impedance1[i])
                << ',' << FormatValue(store.m_impedance2[i]) << ','
                << FormatShown(store.m_trend1[i]) << ',' << FormatShown(store.m_trend2[i]) << '\n';
        }
        csv.close();
        if (!csv) {
            context.err << "somvixmn-cli: " << m_strCsv << ": cannot be written\n";
            return 1;
        }
        return 0;
    }

private:
    std::string m_strCsv;
};

}  // namespace

std::unique_ptr<CliCommand> MakeExportCommand() {
    return std::make_unique<ExportCommand>();
}

}  // namespace somvix
