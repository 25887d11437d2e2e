#pragma once

#include <map>
#include <string>

#include "shared/operation_ui.h"

namespace somvix {

struct CliContext;

// How much a device verb tells on the error stream.
enum class Verbosity {
    Quiet,    // nothing: the final line on standard output says it all
    Normal,   // the steps, the questions and the cause of a failure
    Verbose,  // also each command sent and the size of its reply
};

// The terminal as the user of a device operation. Status texts go to the error stream, one line
// each time the text changes; on a terminal the progress bar is drawn in place on its own line,
// followed by the file arriving and its bytes so far. Elsewhere each file arrived whole gets a
// plain line of its own.
// Messages go to the error stream too. A question is answered from the answers given
// beforehand (command-line flags), else asked on the terminal; without a terminal, or at the end
// of its input, it stays unanswered.
class CliOperationUi : public OperationUi {
public:
    explicit CliOperationUi(CliContext& context, Verbosity verbosity = Verbosity::Normal);
    ~CliOperationUi() override;

    // The answer to every question with this text (the one-line question of the dialog).
    void SetAnswer(const std::string& question, ConfirmAnswer answer);
    // Ends an open progress line, so that what follows starts on a line of its own.
    void EndProgressLine();

    void SetStatusText(const std::string& text) override;
    void ShowProgress() override;
    void HideProgress() override;
    void AdvanceProgress(int delta) override;
    ConfirmAnswer Confirm(const std::string& statement, const std::string& question) override;
    void ShowMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon) override;
    void ShowExchange(const std::string& command, std::size_t replyBytes) override;
    void ShowFileArrival(const FileArrival& arrival) override;

private:
    void DrawProgress();
    ConfirmAnswer AskOnTerminal(const std::string& statement, const std::string& question);

    CliContext& m_context;
    Verbosity m_verbosity;
    std::map<std::string, ConfirmAnswer> m_answers;
    std::string m_strStatus;
    std::string m_strArrival;         // the file arriving, drawn after the bar on a terminal
    std::size_t m_nDrawnColumns = 0;  // of the progress line drawn last
    int m_nProgress = 0;              // 0..PROGRESS_RANGE
    bool m_bProgressShown = false;    // between ShowProgress and HideProgress
    bool m_bProgressLineOpen = false;
};

// "yes" or "no", as the answer flags take them.
ConfirmAnswer AnswerFromFlag(const std::string& value);

}  // namespace somvix
