#pragma once

#include <iosfwd>

#include "sim/monitor_options.h"
#include "sim/monitoring_store.h"
#include "sim/peer_socket.h"

namespace somvix::sim {

// Serves one connection after another until SIGINT or SIGTERM arrives. Prints
// "somvix-monitor listening on ADDRESS:PORT" first (the real port when 0 was asked), a line per
// connection, and "somvix-monitor stopped" at the end. Returns the exit status.
int RunMonitor(const MonitorOptions& options, std::ostream& out, std::ostream& err);

// One conversation on an accepted connection, up to the client's close, a failure, the idle
// limit or the stop descriptor. With a trace stream, each command is printed there as it comes.
void ServeConnection(StreamSocket& connection, const MonitoringStore& store,
                     const MonitorOptions& options, int stopDescriptor,
                     std::ostream* trace = nullptr);

}  // namespace somvix::sim
