#include "sim/monitor_session.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <string_view>

#include "device/byte_order.h"
#include "device/crc32.h"
#include "device/protocol.h"

namespace somvix::sim {

namespace {

struct ListCommand {
    std::string_view m_word;
    std::string_view m_extension;
};

constexpr std::array<ListCommand, 5> LIST_COMMANDS = {{
    {COMMAND_GET_EEG_LIST, ".eeg"},
    {COMMAND_GET_HTR_LIST, ".htr"},
    {COMMAND_GET_FHI_LIST, ".fhi"},
    {COMMAND_GET_EVT_LIST, ".evt"},
    {COMMAND_GET_IMP_LIST, ".imp"},
}};

// Files the monitor will not send as a whole (far above anything it records).
constexpr std::uintmax_t LARGEST_SERVED_FILE = 64u * 1024u * 1024u;

const std::string REPLY_AUTH_REFUSED = "AUTHERROR";
const std::string REPLY_DELETE_REFUSED = "DELETEERROR";

bool Contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

std::string JoinWithBlanks(const std::vector<std::string>& names) {
    std::string joined;
    for (const std::string& name : names) {
        if (!joined.empty()) {
            joined += ' ';
        }
        joined += name;
    }
    return joined;
}

MonitorReply Text(std::string text) {
    MonitorReply reply;
    reply.m_strText = std::move(text);
    return reply;
}

bool IsKnownWord(const std::string& word) {
    return word == COMMAND_GET_LIST || word == COMMAND_FILE || word == COMMAND_DELETE ||
           std::any_of(LIST_COMMANDS.begin(), LIST_COMMANDS.end(),
                       [&](const ListCommand& list) { return word == list.m_word; });
}

}  // namespace

MonitorReply MonitorSession::Answer(const std::string& command) {
    const std::size_t blank = command.find(' ');
    const std::string word = command.substr(0, blank);
    const std::string argument = blank == std::string::npos ? "" : command.substr(blank + 1);
    if (m_bSilent || (!m_options.m_strSilentAfter.empty() && word == m_options.m_strSilentAfter)) {
        m_bSilent = true;
        MonitorReply silence;
        silence.m_kind = MonitorReply::Kind::Silence;
        return silence;
    }
    if (command == COMMAND_DEVICE_NAME) {
        return Text(m_options.m_strName);
    }
    if (command == COMMAND_QUIT) {
        MonitorReply reply = Text(m_options.m_strQuitReply);
        reply.m_bEndsConversation = true;
        return reply;
    }
    if (word == "AUTH") {
        m_bAuthorised = command == COMMAND_AUTH && !m_options.m_bRefuseLogin;
        return Text(m_bAuthorised ? std::string(REPLY_AUTH_OK) : REPLY_AUTH_REFUSED);
    }
    if (!IsKnownWord(word) || (word == COMMAND_GET_LIST && command != COMMAND_GET_LIST)) {
        return Text(std::string(REPLY_INVALID_COMMAND));
    }
    // Before a good login the known commands get no data: an empty message (which, in answer to
    // "FILE", is a file reply of length 0 that the client refuses).
    if (!m_bAuthorised) {
        return Text("");
    }
    return AnswerAuthorised(word, argument);
}

MonitorReply MonitorSession::AnswerAuthorised(const std::string& word,
                                              const std::string& argument) {
    if (word == COMMAND_GET_LIST) {
        if (m_options.m_fixedList) {
            return Text(*m_options.m_fixedList);
        }
        std::vector<std::string> names = m_store.ListMonitorings();
        std::erase_if(names, [&](const std::string& name) { return !IsServed(name); });
        return Text(JoinWithBlanks(names));
    }
    if (word == COMMAND_FILE) {
        return FileReply(argument);
    }
    if (word == COMMAND_DELETE) {
        return Text(DeleteReply(argument));
    }
    return Text(ListReply(word, argument));
}

std::string MonitorSession::ListReply(const std::string& word,
                                      const std::string& monitoring) const {
    if (Contains(m_options.m_invalidListCommands, word)) {
        return std::string(REPLY_INVALID_COMMAND);
    }
    if (!IsServed(monitoring)) {
        return "";
    }
    for (const ListCommand& list : LIST_COMMANDS) {
        if (word == list.m_word) {
            return JoinWithBlanks(m_store.ListFiles(monitoring, list.m_extension));
        }
    }
    return "";
}

MonitorReply MonitorSession::FileReply(const std::string& argument) const {
    MonitorReply reply;
    reply.m_kind = MonitorReply::Kind::File;
    const std::size_t backslash = argument.find('\\');
    if (backslash == std::string::npos) {
        return reply;
    }
    const std::string monitoring = argument.substr(0, backslash);
    const std::string file = argument.substr(backslash + 1);
    if (IsServed(monitoring)) {
        reply.m_file = m_store.FilePath(monitoring, file);
    }
    reply.m_bBadChecksum = Contains(m_options.m_badChecksumFiles, file);
    if (!m_options.m_strCloseInFile.empty() && file == m_options.m_strCloseInFile) {
        reply.m_closeAfterBytes = m_options.m_nCloseAfterBytes;
    }
    return reply;
}

std::string MonitorSession::DeleteReply(const std::string& monitoring) {
    if (!IsServed(monitoring) || !m_store.HasMonitoring(monitoring) ||
        Contains(m_options.m_refusedDeletes, monitoring)) {
        return REPLY_DELETE_REFUSED;
    }
    if (!m_options.m_bKeep && m_store.Remove(monitoring) != 0) {
        return REPLY_DELETE_REFUSED;
    }
    m_erased.insert(monitoring);
    return std::string(REPLY_DELETE_OK);
}

bool MonitorSession::IsServed(const std::string& monitoring) const {
    return m_erased.count(monitoring) == 0;
}

std::string BuildFileReply(const std::optional<std::filesystem::path>& file, bool badChecksum) {
    std::string reply(4, '\0');
    if (!file) {
        return reply;
    }
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(*file, error);
    if (error || size > LARGEST_SERVED_FILE) {
        return reply;
    }
    // Read straight into its place between the length and the checksum: one buffer, no copy.
    std::string message(4 + static_cast<std::size_t>(size) + 4, '\0');
    char* const content = message.data() + 4;
    std::ifstream input(*file, std::ios::binary);
    if (!input.read(content, static_cast<std::streamsize>(size))) {
        return reply;
    }
    WriteUint32Le(static_cast<std::uint32_t>(size + 4), message.data());
    std::uint32_t checksum = Crc32(std::string_view(content, static_cast<std::size_t>(size)));
    if (badChecksum) {
        checksum ^= 0x1u;
    }
    WriteUint32Le(checksum, content + size);
    return message;
}

}  // namespace somvix::sim
