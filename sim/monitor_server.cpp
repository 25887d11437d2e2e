#include "sim/monitor_server.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ostream>
#include <string_view>

#include "sim/monitor_session.h"

namespace somvix::sim {

namespace {

constexpr int SESSION_IDLE_MS = 60000;         // a client silent this long is dropped
constexpr std::size_t LONGEST_COMMAND = 4096;  // anything longer ends the connection
constexpr int CLOSE_LINGER_MS = 300;           // from the last bytes of a broken file to the close

volatile std::sig_atomic_t g_nStopWriteDescriptor = -1;

extern "C" void OnStopSignal(int) {
    if (g_nStopWriteDescriptor >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = write(g_nStopWriteDescriptor, &byte, 1);
    }
}

// A self-pipe: SIGINT and SIGTERM write to it, so every wait that watches its read end ends.
class StopPipe {
public:
    ~StopPipe() {
        g_nStopWriteDescriptor = -1;
        for (const int descriptor : m_descriptors) {
            if (descriptor >= 0) {
                close(descriptor);
            }
        }
    }

    int Install() {
        if (pipe(m_descriptors.data()) != 0) {
            return -1;
        }
        for (const int descriptor : m_descriptors) {
            fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL, 0) | O_NONBLOCK);
            fcntl(descriptor, F_SETFD, FD_CLOEXEC);
        }
        g_nStopWriteDescriptor = m_descriptors[1];
        struct sigaction action {};
        action.sa_handler = OnStopSignal;
        sigemptyset(&action.sa_mask);
        if (sigaction(SIGINT, &action, nullptr) != 0 || sigaction(SIGTERM, &action, nullptr) != 0) {
            return -1;
        }
        std::signal(SIGPIPE, SIG_IGN);
        return 0;
    }

    int Descriptor() const { return m_descriptors[0]; }

    bool Requested() const {
        return WaitForDescriptor(-1, 0, m_descriptors[0], 0) == PeerWait::Stopped;
    }

private:
    std::array<int, 2> m_descriptors = {-1, -1};
};

// Sends a reply, in pieces with pauses when asked to.
int SendReply(StreamSocket& connection, std::string_view bytes, const MonitorOptions& options,
              int stopDescriptor) {
    if (options.m_nPieceBytes == 0) {
        return connection.SendAll(bytes);
    }
    for (std::size_t start = 0; start < bytes.size(); start += options.m_nPieceBytes) {
        if (start > 0 && options.m_nPieceDelayMs > 0 &&
            WaitForDescriptor(-1, 0, stopDescriptor, options.m_nPieceDelayMs) ==
                PeerWait::Stopped) {
            return -1;
        }
        if (connection.SendAll(bytes.substr(start, options.m_nPieceBytes)) != 0) {
            return -1;
        }
    }
    return 0;
}

}  // namespace

void ServeConnection(StreamSocket& connection, const MonitoringStore& store,
                     const MonitorOptions& options, int stopDescriptor, std::ostream* trace) {
    connection.SetStopDescriptor(stopDescriptor);
    connection.SetIdleLimit(SESSION_IDLE_MS);
    MonitorSession session(store, options);
    for (;;) {
        std::string command;
        if (ReadFramedText(connection, command, LONGEST_COMMAND) != 0) {
            return;
        }
        if (trace != nullptr) {
            *trace << "command " << command << std::endl;
        }
        const MonitorReply reply = session.Answer(command);
        if (reply.m_kind == MonitorReply::Kind::Silence) {
            connection.WaitForPeerClose();
            return;
        }
        if (reply.m_kind == MonitorReply::Kind::File) {
            std::string bytes = BuildFileReply(reply.m_file, reply.m_bBadChecksum);
            if (reply.m_closeAfterBytes) {
                // The length field and the first bytes of the contents, then the line drops a
                // moment later, as when a cable is pulled: bytes that come with the close itself
                // are not read by the client.
                bytes.resize(std::min(bytes.size(), 4 + *reply.m_closeAfterBytes));
                if (SendReply(connection, bytes, options, stopDescriptor) == 0) {
                    WaitForDescriptor(-1, 0, stopDescriptor, CLOSE_LINGER_MS);
                }
                return;
            }
            if (SendReply(connection, bytes, options, stopDescriptor) != 0) {
                return;
            }
            continue;
        }
        if (SendReply(connection, FrameText(reply.m_strText), options, stopDescriptor) != 0) {
            return;
        }
        if (reply.m_bEndsConversation) {
            connection.WaitForPeerClose();
            return;
        }
    }
}

int RunMonitor(const MonitorOptions& options, std::ostream& out, std::ostream& err) {
    std::error_code error;
    if (!std::filesystem::is_directory(options.m_strRoot, error)) {
        err << "somvix-monitor: " << options.m_strRoot << " is not a folder\n";
        return 1;
    }
    const MonitoringStore store(options.m_strRoot);
    StopPipe stop;
    if (stop.Install() != 0) {
        err << "somvix-monitor: cannot install the stop signal handlers\n";
        return 1;
    }
    ListeningSocket listener;
    if (listener.Open(options.m_strListen, options.m_nPort) != 0) {
        err << "somvix-monitor: cannot listen on " << options.m_strListen << ":" << options.m_nPort
            << ": " << std::strerror(errno) << "\n";
        return 1;
    }
    out << "somvix-monitor listening on " << options.m_strListen << ":" << listener.Port()
        << std::endl;
    while (!stop.Requested()) {
        StreamSocket connection;
        const int accepted = listener.Accept(connection, stop.Descriptor(), -1);
        if (accepted == 1) {
            break;
        }
        if (accepted != 0) {
            err << "somvix-monitor: accepting a connection failed: " << std::strerror(errno)
                << "\n";
            return 1;
        }
        out << "connection from " << listener.PeerText() << std::endl;
        ServeConnection(connection, store, options, stop.Descriptor(),
                        options.m_bTrace ? &out : nullptr);
        out << "connection closed" << std::endl;
    }
    out << "somvix-monitor stopped" << std::endl;
    return 0;
}

}  // namespace somvix::sim
