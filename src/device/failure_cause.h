#pragma once

#include <string>

namespace somvix {

// Why a device operation failed. The operations return their status codes; the cause rides
// beside them up to the window and the terminal, which put it into words.
enum class CauseKind {
    None,              // no failure
    Refused,           // the monitor's port refused the connection
    NoSuchHost,        // the host name has no address
    ConnectFailed,     // the connection could not be made; the system says why
    NoReply,           // a wait for the monitor ran out; its seconds
    ConnectionLost,    // the monitor closed or reset the connection
    ReplyTooLarge,     // a reply's length field is over the limit (the subject)
    BadReply,          // a file reply too short to hold its checksum
    ChecksumMismatch,  // the stored file's checksum is not the one sent after it
    FileTooLarge,      // a file is over the size limit of its kind; its size
    WriteFailed,       // a file or a record could not be written; the system says why
    SyncFailed,        // a file or folder could not be pushed to the disk; the system says why
    Adaptation,        // the host address could not be set up; the tool's step and output
    NameRefused,       // a name from the monitor cannot name a folder or file on the PC
    LoginRefused,      // the monitor did not accept the login
    EndRefused,        // the monitor did not answer "QUIT" as it should
    Cancelled,         // the user stopped the run
};

// The cause of a failure and what it is about: the file or name concerned (as the monitor sent
// it, code page 1252) and the words of the system or tool that failed.
struct FailureCause {
    CauseKind m_kind = CauseKind::None;
    std::string m_strSubject;
    std::string m_strSystemText;

    bool IsFailure() const { return m_kind != CauseKind::None; }
    bool operator==(const FailureCause&) const = default;
};

}  // namespace somvix
