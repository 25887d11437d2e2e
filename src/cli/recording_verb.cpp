#include <CLI/CLI.hpp>

#include <memory>
#include <ostream>

#include "chart/recording_paths.h"
#include "chart/recording_reader.h"
#include "cli/recording_commands.h"

namespace somvix {

namespace {

int OpenRecordingForVerb(const std::string& pathName, RecordingStore& store,
                         const DisplaySettings& settings, CliContext& context) {
    if (SelectRecordingFile(store, pathName) != 0) {
        context.err << "somvixmn-cli: " << pathName << ": not a trend recording (.htr)\n";
        return 1;
    }
    const auto reportEventFile = [&context, &store](const std::string& text,
                                                    const std::string& caption, MessageIcon) {
        context.err << "somvixmn-cli: " << caption << ": " << text << ": "
                    << EventFilePath(store.m_strPathName, store.m_strFileTitle, store.m_strFileExt)
                    << '\n';
    };
    if (LoadRecording(store, settings, reportEventFile) != 0) {
        context.err << "somvixmn-cli: " << pathName << ": cannot be read\n";
        return 1;
    }
    return 0;
}

}  // namespace

void RecordingVerb::Register(CLI::App& verb) {
    verb.add_option("file", m_strFile, "The trend recording (.htr)")->required();
    RegisterOptions(verb);
}

int RecordingVerb::Run(CliContext& context) {
    if (const int status = CheckOptions(context); status != 0) {
        return status;
    }
    // FIXME: --settings FILE, and by default the settings file beside the program, once the
    // settings file reader is available; until then the verbs use the default settings.
    const DisplaySettings settings;
    const auto store = std::make_unique<RecordingStore>();
    if (const int status = OpenRecordingForVerb(m_strFile, *store, settings, context);
        status != 0) {
        return status;
    }
    return RunOnRecording(*store, context);
}

}  // namespace somvix
