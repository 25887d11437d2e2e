#include "app/operation_thread.h"

#include <QEventLoop>
#include <QMetaObject>
#include <QObject>
#include <QThread>

#include <thread>

namespace somvix {

CThreadedOperationUi::CThreadedOperationUi(QObject* context, OperationUi& target)
    : m_pContext(context), m_target(target) {}

void CThreadedOperationUi::RunOnContextThread(const std::function<void()>& call) {
    if (QThread::currentThread() == m_pContext->thread()) {
        call();
        return;
    }
    QMetaObject::invokeMethod(m_pContext, call, Qt::BlockingQueuedConnection);
}

void CThreadedOperationUi::SetStatusText(const std::string& text) {
    RunOnContextThread([&] { m_target.SetStatusText(text); });
}

void CThreadedOperationUi::ShowProgress() {
    RunOnContextThread([&] { m_target.ShowProgress(); });
}

void CThreadedOperationUi::HideProgress() {
    RunOnContextThread([&] { m_target.HideProgress(); });
}

void CThreadedOperationUi::AdvanceProgress(int delta) {
    RunOnContextThread([&] { m_target.AdvanceProgress(delta); });
}

ConfirmAnswer CThreadedOperationUi::Confirm(const std::string& statement,
                                            const std::string& question) {
    ConfirmAnswer answer = ConfirmAnswer::Unanswered;
    RunOnContextThread([&] { answer = m_target.Confirm(statement, question); });
    return answer;
}

void CThreadedOperationUi::ShowMessage(const std::string& text, const std::string& caption,
                                       MessageIcon icon) {
    RunOnContextThread([&] { m_target.ShowMessage(text, caption, icon); });
}

int RunOperationOnWorkerThread(const std::function<int(OperationUi&)>& operation,
                               OperationUi& guiUi) {
    QEventLoop loop;
    CThreadedOperationUi workerUi(&loop, guiUi);
    int result = -1;
    std::thread worker([&] {
        try {
            result = operation(workerUi);
        } catch (...) {
            result = -1;
        }
        // Queued: if the worker is done before the loop runs, the loop still sees it at once.
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    return result;
}

}  // namespace somvix
