#pragma once

#include <QApplication>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>

namespace somvix::test {

// Answers the modal dialogs and message boxes that open while a test runs the event loop: each
// new one (the status window aside, which stays up on its own) goes to the next handler in the
// queue. The poll stops by itself once every handler has run, or after a bounded number of
// polls.
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
        if (m_handlers.empty() || ++m_nPolls > MAX_POLLS) {
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
        Handler handler = std::move(m_handlers.front());
        m_handlers.pop_front();
        handler(modal);
    }

    std::function<bool(QWidget*)> m_ignore;
    std::deque<Handler> m_handlers;
    QPointer<QWidget> m_last;
    QTimer m_timer;
    int m_nPolls = 0;
};

}  // namespace somvix::test
