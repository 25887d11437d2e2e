#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>

namespace somvix::test {

// Answers the modal dialogs and message boxes that open while a test runs the event loop: each
// new one (the status window aside, which stays up on its own) goes to the next handler in the
// queue. One that opens when the queue is empty fails the test and is closed, so that the test
// goes on to its end instead of waiting for a dialog nobody answers. The poll stops by itself
// after a bounded number of polls without a new dialog.
class ModalAnswerer : public QObject {
public:
    using Handler = std::function<void(QWidget*)>;

    explicit ModalAnswerer(std::function<bool(QWidget*)> ignore = {})
        : m_ignore(std::move(ignore)) {
        m_timer.setInterval(10);
        connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::Poll);
    }

    void Then(Handler handler) {
        m_handlers.push_back(std::move(handler));
        m_nPolls = 0;
        m_timer.start();
    }
    size_t Pending() const { return m_handlers.size(); }

private:
    static constexpr int MAX_POLLS = 3000;  // 30 s without a dialog: give up

    void Poll() {
        if (++m_nPolls > MAX_POLLS) {
            m_timer.stop();
            return;
        }
        // A dialog that was closed and comes up again (one question dialog serves a whole run)
        // is a new question.
        if (m_last != nullptr && !m_last->isVisible()) {
            m_last = nullptr;
        }
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == m_last || !modal->isVisible() ||
            (m_ignore && m_ignore(modal))) {
            return;
        }
        m_last = modal;
        m_nPolls = 0;
        if (m_handlers.empty()) {
            ADD_FAILURE() << "a dialog nobody answers: " << modal->windowTitle().toStdString();
            if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                dialog->reject();
            } else {
                modal->close();
            }
            return;
        }
        Handler handler = std::move(m_handlers.front());
        m_handlers.pop_front();
        // Called after the poll has returned: a dialog the handler opens in turn (a warning of
        // the folder chooser) is polled and answered too.
        QTimer::singleShot(0, this,
                           [handler = std::move(handler), target = QPointer<QWidget>(modal)] {
                               if (target != nullptr) {
                                   handler(target);
                               }
                           });
    }

    std::function<bool(QWidget*)> m_ignore;
    std::deque<Handler> m_handlers;
    QPointer<QWidget> m_last;
    QTimer m_timer;
    int m_nPolls = 0;
};

}  // namespace somvix::test
