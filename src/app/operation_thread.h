#pragma once

#include <functional>

#include "shared/operation_ui.h"

class QObject;

namespace somvix {

// The user interface that a device operation on a worker thread gets: each call is carried out
// by target on the thread of context (the GUI thread), and the worker waits until it is done,
// so a question waits for its answer and the calls stay in order. Called on the context's own
// thread, it calls target directly.
class CThreadedOperationUi : public OperationUi {
public:
    CThreadedOperationUi(QObject* context, OperationUi& target);

    void SetStatusText(const std::string& text) override;
    void ShowProgress() override;
    void HideProgress() override;
    void AdvanceProgress(int delta) override;
    ConfirmAnswer Confirm(const std::string& statement, const std::string& question) override;
    void ShowMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon) override;

private:
    void RunOnContextThread(const std::function<void()>& call);

    QObject* m_pContext;
    OperationUi& m_target;
};

// Runs a device operation, strictly sequential in itself, on a worker thread while this (the
// GUI) thread keeps dispatching events, so the windows repaint and the status window shows each
// step as it comes. guiUi serves the operation's calls on this thread. Returns the operation's
// result once it has ended; an operation that throws counts as failed (-1).
int RunOperationOnWorkerThread(const std::function<int(OperationUi&)>& operation,
                               OperationUi& guiUi);

}  // namespace somvix
