#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <set>
#include <string>

#include "sim/monitor_options.h"
#include "sim/monitoring_store.h"

namespace somvix::sim {

// What the monitor does with one command.
struct MonitorReply {
    enum class Kind {
        Text,     // one text message
        File,     // one file reply
        Silence,  // no reply, now or later: it waits for the client to close
    };
    Kind m_kind = Kind::Text;
    std::string m_strText;
    std::optional<std::filesystem::path> m_file;   // File: none when it cannot be supplied
    bool m_bBadChecksum = false;                   // File: send a checksum that does not match
    std::optional<std::size_t> m_closeAfterBytes;  // File: close after this many content bytes
    bool m_bEndsConversation = false;              // after the reply, wait for the client to close
};

// The monitor's side of one conversation: it answers commands in order, remembering the login
// and what was erased in this connection.
class MonitorSession {
public:
    MonitorSession(const MonitoringStore& store, const MonitorOptions& options)
        : m_store(store), m_options(options) {}

    MonitorReply Answer(const std::string& command);

private:
    MonitorReply AnswerAuthorised(const std::string& word, const std::string& argument);
    std::string ListReply(const std::string& word, const std::string& monitoring) const;
    MonitorReply FileReply(const std::string& argument) const;
    std::string DeleteReply(const std::string& monitoring);
    bool IsServed(const std::string& monitoring) const;

    const MonitoringStore& m_store;
    const MonitorOptions& m_options;
    bool m_bAuthorised = false;
    bool m_bSilent = false;
    std::set<std::string> m_erased;  // erased in this connection (all that --keep does)
};

// The bytes of a file reply: T (content bytes + 4), the content, the CRC-32 of the content;
// a file that cannot be read gives T = 0, which the client refuses.
std::string BuildFileReply(const std::optional<std::filesystem::path>& file, bool badChecksum);

}  // namespace somvix::sim
