#pragma once

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

#include "app/main_dlg.h"
#include "app/modal_answerer.h"
#include "app/status_dlg.h"
#include "support/temp_dir.h"
#include "transfer/monitor_fixture.h"

namespace somvix::test {

// The device commands of the main window against a monitor on loopback ("LAN" 127.0.0.1) that
// holds paciente1 and paciente2, with the records beside the program in a folder of the test,
// and the folder chooser and the final message box answered by the test.
class TransferGuiTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(Downloads());
        m_monitor.AddMonitoring("paciente1");
        m_monitor.AddMonitoring("paciente2");
        m_main.SetDataDir(m_records.Path());
        m_main.OnInitDialog();
        m_main.Device().HostAddress().m_connectionKind = ConnectionKind::Lan;
        m_main.Device().HostAddress().m_strHostName = "127.0.0.1";
        m_main.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_main));
        // The status window stays up on its own; the answerer leaves it alone.
        m_answerer = std::make_unique<ModalAnswerer>(
            [](QWidget* modal) { return qobject_cast<CStatusDlg*>(modal) != nullptr; });
    }

    std::filesystem::path Downloads() const { return m_pc.Path() / "descargas"; }
    std::filesystem::path MonitoringFolder(const std::string& name) const {
        return Downloads() / "SOMVIXSIM" / name;
    }

    void ChooseDownloadFolder() {
        m_answerer->Then([this](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            m_shown << dialog->windowTitle();
            dialog->setDirectory(QString::fromStdString(Downloads().string()));
            static_cast<QDialog*>(dialog)->accept();  // QFileDialog hides it
        });
    }

    // The final message box: its caption, text and icon, and whether the status window was
    // still up behind it.
    void AnswerFinalMessage() {
        m_answerer->Then([this](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            m_shown << box->windowTitle() << box->text();
            m_finalIcon = box->icon();
            m_strFinalDetail = box->detailedText();
            m_bStatusWindowBehindFinalMessage = m_main.Device().StatusWindow() != nullptr &&
                                                m_main.Device().StatusWindow()->isVisible();
            box->button(QMessageBox::Ok)->click();
        });
    }

    // A label's or message box's text as the user reads it; one that would be taken for markup
    // is marked so.
    template <class Shower>
    static QString Shown(const Shower* shower) {
        return shower->textFormat() == Qt::PlainText ? shower->text()
                                                     : "(markup) " + shower->text();
    }

    // Writes down every text the status line shows and the furthest its bar went, each time the
    // status window is given them.
    class StatusLineWatch : public OperationUi {
    public:
        explicit StatusLineWatch(TransferGuiTest& test) : m_test(test) {}
        void SetStatusText(const std::string&) override {
            m_test.m_statusSeen << Shown(m_test.m_main.Device().StatusWindow()->StatusLine());
        }
        void AdvanceProgress(int) override {
            m_test.m_nLargestProgress =
                std::max(m_test.m_nLargestProgress,
                         m_test.m_main.Device().StatusWindow()->ProgressBar()->value());
        }
        void ShowProgress() override {}
        void HideProgress() override {}
        ConfirmAnswer Confirm(const std::string&, const std::string&) override {
            ADD_FAILURE() << "a question reached the status line";
            return ConfirmAnswer::Unanswered;
        }
        void ShowMessage(const std::string&, const std::string&, MessageIcon) override {
            ADD_FAILURE() << "a message reached the status line";
        }

    private:
        TransferGuiTest& m_test;
    };

    void WatchStatusLine() { m_main.Device().SetStatusWatcher(&m_watch); }

    MonitorFolder m_monitor;
    TempDir m_pc;
    TempDir m_records;
    CMainDlg m_main;
    std::unique_ptr<ModalAnswerer> m_answerer;
    QStringList m_shown;
    QMessageBox::Icon m_finalIcon = QMessageBox::NoIcon;
    QString m_strFinalDetail;
    bool m_bStatusWindowBehindFinalMessage = false;
    StatusLineWatch m_watch{*this};
    QStringList m_statusSeen;
    int m_nLargestProgress = 0;
};

}  // namespace somvix::test
