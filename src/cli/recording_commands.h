#pragma once

#include <memory>
#include <string>

#include "chart/recording_store.h"
#include "cli/cli_command.h"
#include "settings/display_settings.h"

namespace somvix {

// The verbs that read a recording: `info`, `export` and `render`.
std::unique_ptr<CliCommand> MakeInfoCommand();
std::unique_ptr<CliCommand> MakeExportCommand();
std::unique_ptr<CliCommand> MakeRenderCommand();

// A verb that takes a recording FILE.htr: it opens the recording as the main window does, with
// the display settings of --settings FILE or else of the settings file beside the program, and
// then does its own work on it. Problems opening go to the error stream with exit status 1 (no
// .htr recording, one that cannot be read, a --settings file that cannot be read).
class RecordingVerb : public CliCommand {
public:
    void Register(CLI::App& verb) final;
    int Run(CliContext& context) final;

protected:
    // The verb's own options, after FILE.
    virtual void RegisterOptions(CLI::App& verb) = 0;
    // Checks the options before anything is read; returns 0 or the exit status.
    virtual int CheckOptions(CliContext& /*context*/) { return 0; }
    virtual int RunOnRecording(const RecordingStore& store, CliContext& context) = 0;

private:
    std::string m_strFile;
    std::string m_strSettings;
};

}  // namespace somvix
