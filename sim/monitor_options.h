#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace somvix::sim {

// How the simulated monitor serves, and the faults it plays on request.
struct MonitorOptions {
    std::string m_strRoot;                  // one folder per monitoring below it
    std::string m_strListen = "127.0.0.1";  // dotted IPv4 address to listen on
    std::uint16_t m_nPort = 20248;          // 0: any free port (printed at start)
    std::string m_strName = "SOMVIXSIM";    // reply to "SOMVIXNAME"
    bool m_bKeep = false;                   // "DELETE" hides for the connection only
    bool m_bTrace = false;                  // print each command received

    // Faults.
    bool m_bRefuseLogin = false;
    std::string m_strQuitReply = "QUITOK";
    std::vector<std::string> m_badChecksumFiles;     // file names sent with a wrong CRC
    std::string m_strCloseInFile;                    // file name whose transfer breaks off
    std::size_t m_nCloseAfterBytes = 0;              // ... after this many of its bytes
    std::size_t m_nPieceBytes = 0;                   // >0: every reply in pieces this big
    int m_nPieceDelayMs = 0;                         // pause between two pieces
    std::vector<std::string> m_invalidListCommands;  // answered "INVALIDCMD"
    std::vector<std::string> m_refusedDeletes;       // monitorings "DELETE" refuses
    std::string m_strSilentAfter;                    // command word after which it is silent
    std::optional<std::string> m_fixedList;          // fixed reply to "GETLIST"
};

}  // namespace somvix::sim
