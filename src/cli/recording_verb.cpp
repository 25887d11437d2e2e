#include <CLI/CLI.hpp>

#include <filesystem>
#include <memory>
#include <ostream>

#include "chart/recording_paths.h"
#include "chart/recording_reader.h"
#include "cli/cli_data_folder.h"
#include "cli/recording_commands.h"
#include "settings/settings_file.h"

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

// The settings the zone hiding uses: those of the named file, or of the program's own settings
// file, which may be missing (the defaults then). Unlike the main window, a verb never creates
// the program's file.
int ReadVerbSettings(const std::string& settingsPath, DisplaySettings& settings,
                     CliContext& context) {
    SetDefaultSettings(settings);
    if (settingsPath.empty()) {
        std::filesystem::path dataFolder;
        if (const int status = RequireDataDirectory(dataFolder, context); status != 0) {
            return status;
        }
        ReadSettingsFile(dataFolder / SETTINGS_FILE_NAME, settings);
        return 0;
    }
    // A folder, a FIFO or a device is no settings file, as a missing file is not.
    if (ReadSettingsFile(std::filesystem::path(settingsPath), settings) != 0) {
        context.err << "somvixmn-cli: " << settingsPath << ": cannot be read\n";
        return 1;
    }
    return 0;
}

}  // namespace

void RecordingVerb::Register(CLI::App& verb) {
    verb.add_option("file", m_strFile, "The trend recording (.htr)")->required();
    verb.add_option("--settings", m_strSettings,
                    "Display settings file (by default the one beside the program)");
    RegisterOptions(verb);
}

int RecordingVerb::Run(CliContext& context) {
    if (const int status = CheckOptions(context); status != 0) {
        return status;
    }
    DisplaySettings settings;
    if (const int status = ReadVerbSettings(m_strSettings, settings, context); status != 0) {
        return status;
    }
    const auto store = std::make_unique<RecordingStore>();
    if (const int status = OpenRecordingForVerb(m_strFile, *store, settings, context);
        status != 0) {
        return status;
    }
    return RunOnRecording(*store, context);
}

}  // namespace somvix
