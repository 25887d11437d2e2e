#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <ostream>

#include "chart/caption.h"
#include "chart/chart_config.h"
#include "chart/zone_hiding.h"
#include "cli/recording_commands.h"
#include "shared/code_page_text.h"

namespace somvix {

namespace {

// `info FILE.htr`: what the main window would show of a recording, as JSON.
class InfoCommand : public RecordingVerb {
public:
    const char* Name() const override { return "info"; }
    const char* Description() const override {
        return "Print a recording's caption, samples, start, events and hidden samples as JSON";
    }

protected:
    void RegisterOptions(CLI::App& /*verb*/) override {}

    int RunOnRecording(const RecordingStore& store, CliContext& context) override {
        nlohmann::ordered_json info;
        // The texts of the files, and the folder named after the monitoring, are code page 1252.
        info["caption"] =
            Utf8From1252(MakeCaption(store.m_strFileTitle, store.m_strPathName, store.m_strFileExt,
                                     store.m_strStartDate, store.m_strStartTime));
        info["samples"] = store.m_nSamples;
        info["span_units"] = SpanUnits(store.m_nSamples, store.m_nSamplesPerUnit);
        info["start_date"] = Utf8From1252(store.m_strStartDate);
        info["start_time"] = Utf8From1252(store.m_strStartTime);
        info["events_v1"] = store.m_bEventsV1 == 1;
        info["events"] = nlohmann::ordered_json::array();
        for (int i = 0; i < store.m_nEvents; ++i) {
            const EventRecord& event = store.m_events[static_cast<size_t>(i)];
            nlohmann::ordered_json entry;
            entry["time"] = event.nTime;
            entry["code"] = Utf8From1252(event.strCode);
            // Files of the older kind carry no mnemonics.
            entry["mnemonic"] = store.m_bEventsV1 == 1
                                    ? nlohmann::ordered_json(Utf8From1252(event.strMnemonic))
                                    : nlohmann::ordered_json(nullptr);
            info["events"].push_back(entry);
        }
        info["hidden"] = HiddenSamples(store);
        context.out << info.dump(2) << '\n';
        return 0;
    }
};

}  // namespace

std::unique_ptr<CliCommand> MakeInfoCommand() {
    return std::make_unique<InfoCommand>();
}

}  // namespace somvix
