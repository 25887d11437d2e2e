#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace somvix {

// Icon kinds of a message box, with the values the monitor's users know from Windows.
enum class MessageIcon { Hand = 16, Exclamation = 48, Asterisk = 64 };

// Answer of the yes/no confirmation. Unanswered is every way out that is not a button: Escape,
// the close box, the end of a terminal's input, no terminal at all. Each question's caller
// decides what Unanswered means (AnswerOr); it never takes the branch that loses data.
enum class ConfirmAnswer { Yes = 1, No = 2, Unanswered = 3 };

// The answer, or whenUnanswered for a question nobody answered.
inline ConfirmAnswer AnswerOr(ConfirmAnswer answer, ConfirmAnswer whenUnanswered) {
    return answer == ConfirmAnswer::Unanswered ? whenUnanswered : answer;
}

// A file of a monitoring on its way to the disk: the bytes written so far of its size. The names
// are printable UTF-8 (control characters shown as "?").
struct FileArrival {
    std::string monitoring;
    std::string file;
    std::uint32_t written = 0;
    std::uint32_t size = 0;
};

// The only way a device operation talks to the user. The GUI implements it with the status
// window, the confirmation dialog and message boxes; the command line with the terminal; the
// tests with a scripted fake. Operations call it strictly in sequence.
//
// Every text given to it is UTF-8. The program's own texts are UTF-8 in the source; a name from
// the monitor or a text from a file (code page 1252) is converted with Utf8From1252
// (shared/code_page_text.h) where it enters a message. The texts are shown as plain text, never
// interpreted as markup.
class OperationUi {
public:
    virtual ~OperationUi() = default;

    // The one line of the status window; the whole line is replaced.
    virtual void SetStatusText(const std::string& text) = 0;
    virtual void ShowProgress() = 0;
    virtual void HideProgress() = 0;
    // Moves the bar by delta within its range 0..PROGRESS_RANGE.
    virtual void AdvanceProgress(int delta) = 0;
    // The "ADVERTENCIA!" question: a statement of up to three lines and a one-line question.
    // A caller that only acts on Yes treats Unanswered as No.
    virtual ConfirmAnswer Confirm(const std::string& statement, const std::string& question) = 0;
    // A message box with one OK button.
    virtual void ShowMessage(const std::string& text, const std::string& caption,
                             MessageIcon icon) = 0;
    // One exchange with the monitor went through: the command sent (a credential left out) and
    // the size of its reply. Only a user who asked to see them is shown these.
    virtual void ShowExchange(const std::string& /*command*/, std::size_t /*replyBytes*/) {}
    // A file arriving: told once its size is known and after each piece written (written equals
    // size once it is whole, before its checksum is checked). The progress bar moves on its own.
    virtual void ShowFileArrival(const FileArrival& /*arrival*/) {}
};

inline constexpr int PROGRESS_RANGE = 500;

}  // namespace somvix
