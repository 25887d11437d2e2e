#pragma once

#include <nlohmann/json.hpp>

#include "device/failure_cause.h"

namespace somvix {

struct CliContext;
struct TransferReport;
enum class Verbosity;

// The final lines of a device verb: the Part's completion or failure line, or the cancel line.
struct OutcomeTexts {
    const char* completed;
    const char* failed;
    const char* cancelled;
};

// Ends a device verb after its run: the cause and the counts on standard error (unless quiet),
// then either the final line or, for --json, one JSON object on standard output. Returns the
// exit status: 0, 1 after a failure, EXIT_CANCELLED after a cancel.
int FinishDeviceVerb(CliContext& context, int result, const TransferReport& report,
                     const OutcomeTexts& texts, Verbosity verbosity, bool json);

// The cause for scripts: its key, its text, the file or name concerned; null for no failure.
nlohmann::json CauseJson(const FailureCause& cause);

// The exit status of a run that ended with result and cause.
int ExitStatusOf(int result, const FailureCause& cause);

}  // namespace somvix
