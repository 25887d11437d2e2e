#pragma once

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "shared/operation_ui.h"

namespace somvix::test {

// A scripted user: it records every call of an operation as one line of text and answers the
// questions from a queue given beforehand. A question with no answer left fails the test and is
// answered No.
class FakeOperationUi : public OperationUi {
public:
    void SetStatusText(const std::string& text) override;
    void ShowProgress() override;
    void HideProgress() override;
    void AdvanceProgress(int delta) override;
    ConfirmAnswer Confirm(const std::string& statement, const std::string& question) override;
    void ShowMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon) override;

    // Answers for the coming questions, in order.
    void QueueAnswers(std::initializer_list<ConfirmAnswer> answers);

    // "status:TEXT", "progress:show", "progress:hide", "progress:+N",
    // "confirm:STATEMENT|QUESTION", "message:CAPTION|TEXT|ICON".
    const std::vector<std::string>& Calls() const { return m_calls; }
    std::vector<std::string> CallsStartingWith(const std::string& prefix) const;
    std::vector<std::string> StatusTexts() const;

    // The bar as a range-limited progress control would show it: now, after each move, and when
    // the status text was last set to text (-1 if never).
    int ProgressPosition() const { return m_progress; }
    std::vector<int> ProgressPositions() const;
    int ProgressAtStatus(const std::string& text) const;
    bool ProgressVisible() const { return m_progressVisible; }
    size_t UnusedAnswers() const { return m_answers.size(); }

private:
    std::vector<std::string> m_calls;
    std::vector<std::pair<std::string, int>> m_progressAtStatus;
    std::deque<ConfirmAnswer> m_answers;
    int m_progress = 0;
    bool m_progressVisible = false;
};

}  // namespace somvix::test
