#include "support/fake_operation_ui.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace somvix::test {

void FakeOperationUi::SetStatusText(const std::string& text) {
    m_calls.push_back("status:" + text);
    m_progressAtStatus.emplace_back(text, m_progress);
}

void FakeOperationUi::ShowProgress() {
    m_progressVisible = true;
    m_calls.emplace_back("progress:show");
}

void FakeOperationUi::HideProgress() {
    m_progressVisible = false;
    m_calls.emplace_back("progress:hide");
}

void FakeOperationUi::AdvanceProgress(int delta) {
    EXPECT_GE(delta, 0) << "the bar moved back";
    m_progress = std::clamp(m_progress + delta, 0, PROGRESS_RANGE);
    m_calls.push_back("progress:+" + std::to_string(delta));
}

ConfirmAnswer FakeOperationUi::Confirm(const std::string& statement, const std::string& question) {
    m_calls.push_back("confirm:" + statement + "|" + question);
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected question: " << statement << " / " << question;
        return ConfirmAnswer::No;
    }
    const ConfirmAnswer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

void FakeOperationUi::ShowMessage(const std::string& text, const std::string& caption,
                                  MessageIcon icon) {
    m_calls.push_back("message:" + caption + "|" + text + "|" +
                      std::to_string(static_cast<int>(icon)));
}

void FakeOperationUi::QueueAnswers(std::initializer_list<ConfirmAnswer> answers) {
    m_answers.insert(m_answers.end(), answers.begin(), answers.end());
}

std::vector<std::string> FakeOperationUi::CallsStartingWith(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& call : m_calls) {
        if (call.rfind(prefix, 0) == 0) {
            found.push_back(call);
        }
    }
    return found;
}

std::vector<int> FakeOperationUi::ProgressPositions() const {
    std::vector<int> positions;
    int position = 0;
    for (const std::string& call : CallsStartingWith("progress:+")) {
        position = std::clamp(position + std::stoi(call.substr(10)), 0, PROGRESS_RANGE);
        positions.push_back(position);
    }
    return positions;
}

int FakeOperationUi::ProgressAtStatus(const std::string& text) const {
    int position = -1;
    for (const auto& [status, at] : m_progressAtStatus) {
        position = status == text ? at : position;
    }
    return position;
}

std::vector<std::string> FakeOperationUi::StatusTexts() const {
    std::vector<std::string> texts;
    for (const std::string& call : CallsStartingWith("status:")) {
        texts.push_back(call.substr(7));
    }
    return texts;
}

}  // namespace somvix::test
