#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <functional>

namespace somvix::test {

// Hands the next modal dialog to act once it is open; act answers it (OK, Cancel, Escape).
// The dialog is looked for every 10 ms, 500 times at the most, so that a dialog that never
// opens cannot hold the test: the caller then sees that act never ran.
inline void WhenModalDialogOpens(std::function<void(QDialog&)> act, int triesLeft = 500) {
    QTimer::singleShot(10, [act = std::move(act), triesLeft]() mutable {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog != nullptr && dialog->isVisible()) {
            act(*dialog);
        } else if (triesLeft > 1) {
            WhenModalDialogOpens(std::move(act), triesLeft - 1);
        }
    });
}

}  // namespace somvix::test
