#pragma once

#include <nlohmann/json.hpp>

#include "device/failure_cause.h"

namespace somvix {

struct CliContext;
struct CommandOutcome;
enum class Verbosity;

// Ends a device verb: unless quiet, the cause of a failure and the counts on standard error;
// then either the final line or, for --json, one JSON object on standard output. Returns the
// exit status: 0 completed, 1 failed, EXIT_CANCELLED cancelled, EXIT_DECLINED declined (nothing
// is printed then).
int PresentOutcome(const CommandOutcome& outcome, CliContext& context, Verbosity verbosity,
                   bool json);

// The cause for scripts: its key, its text, the file or name concerned; null for no failure.
nlohmann::json CauseJson(const FailureCause& cause);

// The exit status of a run that ended with result and cause.
int ExitStatusOf(int result, const FailureCause& cause);

}  // namespace somvix
