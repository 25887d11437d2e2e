#include <gtest/gtest.h>

#include <QTest>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <thread>

#include "app/operation_thread.h"
#include "support/fake_operation_ui.h"

namespace somvix {
namespace {

// Records on which thread each call ran, on top of the scripted user.
class ThreadRecordingUi : public test::FakeOperationUi {
public:
    void SetStatusText(const std::string& text) override {
        m_bAllOnGuiThread = m_bAllOnGuiThread && QThread::currentThread() == qApp->thread();
        FakeOperationUi::SetStatusText(text);
    }
    ConfirmAnswer Confirm(const std::string& statement, const std::string& question) override {
        m_bAllOnGuiThread = m_bAllOnGuiThread && QThread::currentThread() == qApp->thread();
        return FakeOperationUi::Confirm(statement, question);
    }
    bool m_bAllOnGuiThread = true;
};

TEST(RunOperationOnWorkerThread, CallsRunInOrderOnTheGuiThreadAndQuestionsGetAnswers) {
    ThreadRecordingUi ui;
    ui.QueueAnswers({ConfirmAnswer::Yes, ConfirmAnswer::No});
    std::thread::id workerThread;
    const int result = RunOperationOnWorkerThread(
        [&](OperationUi& workerUi) {
            workerThread = std::this_thread::get_id();
            workerUi.SetStatusText("Conectando...");
            workerUi.ShowProgress();
            workerUi.AdvanceProgress(250);
            const bool first = workerUi.Confirm("a", "b") == ConfirmAnswer::Yes;
            const bool second = workerUi.Confirm("c", "d") == ConfirmAnswer::Yes;
            workerUi.ShowMessage("m", "Error", MessageIcon::Hand);
            workerUi.HideProgress();
            return first && !second ? 7 : -1;
        },
        ui);
    EXPECT_EQ(result, 7);
    EXPECT_NE(workerThread, std::this_thread::get_id());
    EXPECT_TRUE(ui.m_bAllOnGuiThread);
    EXPECT_EQ(ui.Calls(), (std::vector<std::string>{"status:Conectando...", "progress:show",
                                                    "progress:+250", "confirm:a|b", "confirm:c|d",
                                                    "message:Error|m|16", "progress:hide"}));
}

TEST(RunOperationOnWorkerThread, GuiThreadKeepsDispatchingWhileTheOperationWaits) {
    // A timer of the GUI thread must fire while the operation is still running: the windows
    // repaint during a download.
    std::atomic<bool> timerFired{false};
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] { timerFired = true; });
    timer.start(20);
    test::FakeOperationUi ui;
    const int result = RunOperationOnWorkerThread(
        [&](OperationUi&) {
            for (int wait = 0; wait < 500 && !timerFired; ++wait) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            return timerFired ? 0 : -1;
        },
        ui);
    EXPECT_EQ(result, 0);
}

TEST(RunOperationOnWorkerThread, ThrowingOperationCountsAsFailed) {
    test::FakeOperationUi ui;
    EXPECT_EQ(RunOperationOnWorkerThread(
                  [](OperationUi&) -> int { throw std::runtime_error("out of memory"); }, ui),
              -1);
}

TEST(CThreadedOperationUi, CalledOnTheGuiThreadItCallsDirectly) {
    test::FakeOperationUi target;
    QObject context;
    CThreadedOperationUi ui(&context, target);
    target.QueueAnswers({ConfirmAnswer::Yes});
    EXPECT_EQ(ui.Confirm("s", "q"), ConfirmAnswer::Yes);
    ui.AdvanceProgress(600);
    EXPECT_EQ(target.ProgressPosition(), 500);
}

}  // namespace
}  // namespace somvix
