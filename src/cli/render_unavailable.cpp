#include <CLI/CLI.hpp>

#include <ostream>

#include "cli/recording_commands.h"

namespace somvix {

namespace {

// `render` in a build without Qt: the verb is known, so a script learns why it failed rather
// than reading a usage error, whatever options it passed.
class RenderUnavailableCommand : public CliCommand {
public:
    const char* Name() const override { return "render"; }
    const char* Description() const override {
        return "Draw a recording's charts into a PNG (not in this build)";
    }
    void Register(CLI::App& verb) override { verb.allow_extras(); }
    int Run(CliContext& context) override {
        context.err << "somvixmn-cli: render: this build cannot draw (it was built without Qt)\n";
        return 1;
    }
};

}  // namespace

std::unique_ptr<CliCommand> MakeRenderCommand() {
    return std::make_unique<RenderUnavailableCommand>();
}

}  // namespace somvix
