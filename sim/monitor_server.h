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
// limit or the stop descriptor.
void ServeConnection(StreamSocket& connection, const MonitoringStore& store,
                     const MonitorOptions& options, int stopDescriptor);

}  // namespace somvix::sim
