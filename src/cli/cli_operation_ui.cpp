#include "cli/cli_operation_ui.h"

#include <algorithm>
#include <istream>
#include <ostream>

#include "cli/cli_command.h"
#include "transfer/device_session.h"

namespace somvix {

namespace {

constexpr int PROGRESS_WIDTH = 20;  // characters of the drawn bar
// The progress line stays within the narrowest usual terminal: a longer one would wrap, and
// the next redraw would only return to the start of its last row.
constexpr std::size_t PROGRESS_LINE_COLUMNS = 79;

// Columns of UTF-8 text, one per character.
std::size_t Columns(const std::string& text) {
    std::size_t columns = 0;
    for (const char byte : text) {
        columns += (static_cast<unsigned char>(byte) & 0xC0U) != 0x80U ? 1 : 0;
    }
    return columns;
}

// The first columns characters of UTF-8 text.
std::string FirstColumns(const std::string& text, std::size_t columns) {
    std::size_t taken = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if ((static_cast<unsigned char>(text[at]) & 0xC0U) != 0x80U && taken++ == columns) {
            return text.substr(0, at);
        }
    }
    return text;
}

bool IsYes(const std::string& line) {
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return false;
    }
    const char answer = line[first];
    return answer == 's' || answer == 'S' || answer == 'y' || answer == 'Y';
}

}  // namespace

CliOperationUi::CliOperationUi(CliContext& context, Verbosity verbosity)
    : m_context(context), m_verbosity(verbosity) {}

CliOperationUi::~CliOperationUi() {
    EndProgressLine();
}

void CliOperationUi::SetAnswer(const std::string& question, ConfirmAnswer answer) {
    m_answers[question] = answer;
}

void CliOperationUi::EndProgressLine() {
    if (m_bProgressLineOpen) {
        m_context.err << '\n';
        m_bProgressLineOpen = false;
        m_nDrawnColumns = 0;
    }
}

void CliOperationUi::SetStatusText(const std::string& text) {
    if (text == m_strStatus || m_verbosity == Verbosity::Quiet) {
        return;
    }
    m_strStatus = text;
    m_strArrival.clear();
    EndProgressLine();
    m_context.err << text << '\n';
    if (m_bProgressShown) {
        DrawProgress();
    }
}

void CliOperationUi::ShowProgress() {
    // Drawn with the next status or move: an empty bar of its own above the first status line
    // would only stand in the way.
    m_bProgressShown = true;
}

void CliOperationUi::HideProgress() {
    m_bProgressShown = false;
    EndProgressLine();
}

void CliOperationUi::AdvanceProgress(int delta) {
    m_nProgress = std::clamp(m_nProgress + delta, 0, PROGRESS_RANGE);
    if (m_bProgressShown) {
        DrawProgress();
    }
}

void CliOperationUi::DrawProgress() {
    // Only a terminal can redraw a line in place; a log file gets the status lines alone.
    if (!m_context.errIsTerminal || m_verbosity == Verbosity::Quiet) {
        return;
    }
    const int filled = m_nProgress * PROGRESS_WIDTH / PROGRESS_RANGE;
    std::string line = "[" + std::string(filled, '#') + std::string(PROGRESS_WIDTH - filled, ' ') +
                       "] " + std::to_string(m_nProgress * 100 / PROGRESS_RANGE) + "%";
    if (!m_strArrival.empty()) {
        line = FirstColumns(line + "  " + m_strArrival, PROGRESS_LINE_COLUMNS);
    }
    // Blanks over what is left of a longer line drawn before.
    const std::size_t columns = Columns(line);
    const std::size_t cover = m_nDrawnColumns > columns ? m_nDrawnColumns - columns : 0;
    m_context.err << '\r' << line << std::string(cover, ' ') << std::flush;
    m_nDrawnColumns = columns;
    m_bProgressLineOpen = true;
}

ConfirmAnswer CliOperationUi::Confirm(const std::string& statement, const std::string& question) {
    EndProgressLine();
    // The question now stands below the last status: a status that comes again is shown again.
    m_strStatus.clear();
    const auto given = m_answers.find(question);
    if (given != m_answers.end()) {
        m_context.err << statement << '\n'
                      << question << ' ' << (given->second == ConfirmAnswer::Yes ? "Si" : "No")
                      << '\n';
        return given->second;
    }
    if (m_context.interactive) {
        return AskOnTerminal(statement, question);
    }
    m_context.err << statement << '\n' << question << " (sin respuesta)\n";
    return ConfirmAnswer::Unanswered;
}

ConfirmAnswer CliOperationUi::AskOnTerminal(const std::string& statement,
                                            const std::string& question) {
    m_context.err << "ADVERTENCIA! " << statement << '\n' << question << " [s/N] " << std::flush;
    std::string line;
    if (!std::getline(m_context.in, line)) {
        m_context.err << "(sin respuesta)\n";
        return ConfirmAnswer::Unanswered;
    }
    return IsYes(line) ? ConfirmAnswer::Yes : ConfirmAnswer::No;
}

void CliOperationUi::ShowMessage(const std::string& text, const std::string& caption,
                                 MessageIcon /*icon*/) {
    if (m_verbosity == Verbosity::Quiet) {
        return;
    }
    EndProgressLine();
    m_context.err << caption << ": " << text << '\n';
}

void CliOperationUi::ShowExchange(const std::string& command, std::size_t replyBytes) {
    if (m_verbosity != Verbosity::Verbose) {
        return;
    }
    EndProgressLine();
    // The command holds names from the monitor: no control character reaches the terminal.
    m_context.err << "> " << PrintableName(command) << " (" << replyBytes << " bytes)\n";
}

void CliOperationUi::ShowFileArrival(const FileArrival& arrival) {
    if (m_verbosity == Verbosity::Quiet) {
        return;
    }
    if (m_context.errIsTerminal) {
        m_strArrival = arrival.monitoring + "  " + arrival.file + "  " +
                       std::to_string(arrival.written) + "/" + std::to_string(arrival.size) +
                       " bytes";
        if (m_bProgressShown) {
            DrawProgress();
        }
        return;
    }
    // A log gets one line per file, once it is whole.
    if (arrival.written == arrival.size) {
        EndProgressLine();
        m_context.err << "  " << arrival.file << "  " << arrival.size << " bytes\n";
    }
}

ConfirmAnswer AnswerFromFlag(const std::string& value) {
    return value == "yes" ? ConfirmAnswer::Yes : ConfirmAnswer::No;
}

}  // namespace somvix
