#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

#include "app/main_dlg.h"
#include "hostnet/connection_kinds.h"
#include "res/resource_ids.h"
#include "settings/dialogs/comm_options_dlg.h"
#include "support/temp_dir.h"

namespace somvix {
namespace {

using Interaction = std::function<void(CCommOptionsDlg&)>;

// Runs the interaction on the dialog once it shows modally; a dialog the interaction leaves
// open is cancelled, so that a failing test cannot hang.
void WhenDialogShows(const Interaction& interact) {
    QTimer::singleShot(0, [interact] {
        auto* dlg = qobject_cast<CCommOptionsDlg*>(QApplication::activeModalWidget());
        if (dlg == nullptr) {
            ADD_FAILURE() << "the communication options dialog is not showing";
            if (QApplication::activeModalWidget() != nullptr) {
                QApplication::activeModalWidget()->close();
            }
            return;
        }
        interact(*dlg);
        if (dlg->isVisible()) {
            dlg->reject();
        }
    });
}

QStringList Items(const QComboBox& box) {
    QStringList items;
    for (int i = 0; i < box.count(); ++i) {
        items << box.itemText(i);
    }
    return items;
}

void ChooseKind(CCommOptionsDlg& dlg, ConnectionKind kind) {
    dlg.KindBox()->setCurrentIndex(ConnectionKindIndex(kind));
}

void TypeHost(CCommOptionsDlg& dlg, const QString& text) {
    dlg.HostBox()->clear();
    QTest::keyClicks(dlg.HostBox(), text);
}

class CommOptionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dlg.SetDataDir(m_programDir.Path());
        m_dlg.OnInitDialog();
    }

    // Opens the dialog through the command and interacts with it.
    void Open(const Interaction& interact) {
        WhenDialogShows(interact);
        m_dlg.OnCommand(ID_COMM_OPTIONS);
    }
    void ConfirmLan(const QString& host) {
        Open([host](CCommOptionsDlg& dlg) {
            ChooseKind(dlg, ConnectionKind::Lan);
            TypeHost(dlg, host);
            dlg.OkButton()->click();
        });
    }

    test::TempDir m_programDir;
    CMainDlg m_dlg;
};

TEST_F(CommOptionsTest, FreshRunShowsTheCableAndAnEmptyDisabledHostBox) {
    bool seen = false;
    Open([&seen](CCommOptionsDlg& dlg) {
        seen = true;
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Opciones de comunicación"));
        EXPECT_EQ(Items(*dlg.KindBox()), (QStringList{"Cable cruzado Ethernet", "LAN"}));
        EXPECT_EQ(dlg.KindBox()->currentText(), QStringLiteral("Cable cruzado Ethernet"));
        EXPECT_FALSE(dlg.HostBox()->isEnabled());
        EXPECT_TRUE(dlg.HostBox()->text().isEmpty());
        EXPECT_EQ(dlg.m_nKindTextSize, 23);
    });
    EXPECT_TRUE(seen);
}

TEST_F(CommOptionsTest, ConfirmedLanReopensWithTheKindAndTheName) {
    ConfirmLan(QStringLiteral("somvix-7.local"));
    EXPECT_EQ(m_dlg.Device().HostAddress().m_connectionKind, ConnectionKind::Lan);
    EXPECT_EQ(m_dlg.Device().HostAddress().m_strHostName, "somvix-7.local");
    Open([](CCommOptionsDlg& dlg) {
        EXPECT_EQ(dlg.KindBox()->currentText(), QStringLiteral("LAN"));
        EXPECT_TRUE(dlg.HostBox()->isEnabled());
        EXPECT_EQ(dlg.HostBox()->text(), QStringLiteral("somvix-7.local"));
    });
}

TEST_F(CommOptionsTest, ConfirmedCableKeepsTheNameForALaterLan) {
    ConfirmLan(QStringLiteral("monitor-a"));
    Open([](CCommOptionsDlg& dlg) {
        ChooseKind(dlg, ConnectionKind::Cable);
        EXPECT_FALSE(dlg.HostBox()->isEnabled());
        dlg.OkButton()->click();
    });
    EXPECT_EQ(m_dlg.Device().HostAddress().m_connectionKind, ConnectionKind::Cable);
    EXPECT_EQ(m_dlg.Device().HostAddress().m_strHostName, "monitor-a");
    Open([](CCommOptionsDlg& dlg) {
        EXPECT_TRUE(dlg.HostBox()->text().isEmpty());  // the cable shows no name
        ChooseKind(dlg, ConnectionKind::Lan);
        EXPECT_EQ(dlg.HostBox()->text(), QStringLiteral("monitor-a"));
    });
}

TEST_F(CommOptionsTest, SwitchingAwayAndBackRestoresTheNameItOpenedWith) {
    ConfirmLan(QStringLiteral("monitor-a"));
    Open([](CCommOptionsDlg& dlg) {
        TypeHost(dlg, QStringLiteral("typed-b"));
        ChooseKind(dlg, ConnectionKind::Cable);
        EXPECT_FALSE(dlg.HostBox()->isEnabled());
        EXPECT_EQ(dlg.HostBox()->text(), QStringLiteral("typed-b"));  // left as it was
        ChooseKind(dlg, ConnectionKind::Lan);
        EXPECT_EQ(dlg.HostBox()->text(), QStringLiteral("monitor-a"));
        dlg.OkButton()->click();
    });
    EXPECT_EQ(m_dlg.Device().HostAddress().m_strHostName, "monitor-a");
}

TEST_F(CommOptionsTest, CancelAndEscapeChangeNothing) {
    ConfirmLan(QStringLiteral("monitor-a"));
    Open([](CCommOptionsDlg& dlg) {
        TypeHost(dlg, QStringLiteral("typed-b"));
        dlg.CancelButton()->click();
        EXPECT_FALSE(dlg.isVisible());
    });
    Open([](CCommOptionsDlg& dlg) {
        ChooseKind(dlg, ConnectionKind::Cable);
        QTest::keyClick(&dlg, Qt::Key_Escape);
        EXPECT_FALSE(dlg.isVisible());
    });
    EXPECT_EQ(m_dlg.Device().HostAddress().m_connectionKind, ConnectionKind::Lan);
    EXPECT_EQ(m_dlg.Device().HostAddress().m_strHostName, "monitor-a");
}

TEST_F(CommOptionsTest, EnterInTheHostBoxConfirms) {
    Open([](CCommOptionsDlg& dlg) {
        ChooseKind(dlg, ConnectionKind::Lan);
        TypeHost(dlg, QStringLiteral("10.1.2.3"));
        QTest::keyClick(dlg.HostBox(), Qt::Key_Return);
    });
    EXPECT_EQ(m_dlg.Device().HostAddress().m_connectionKind, ConnectionKind::Lan);
    EXPECT_EQ(m_dlg.Device().HostAddress().m_strHostName, "10.1.2.3");
}

TEST(CCommOptionsDlg, ListsTheTextsInIndexOrderUnsorted) {
    const std::string kinds[] = {"Zeta", "Alfa", "Mu"};
    CCommOptionsDlg dlg;
    dlg.m_pszKinds = kinds;
    dlg.m_nKinds = 3;
    dlg.m_kind = ConnectionKind::Lan;
    dlg.OnInitDialog();
    EXPECT_EQ(Items(*dlg.KindBox()), (QStringList{"Zeta", "Alfa", "Mu"}));
    // Filling the list is no selection change: the kind's own position stays selected.
    EXPECT_EQ(dlg.KindBox()->currentText(), QStringLiteral("Alfa"));
    EXPECT_EQ(dlg.m_kind, ConnectionKind::Lan);
    EXPECT_TRUE(dlg.HostBox()->isEnabled());
    // A position that holds no kind leaves the kind as it was.
    dlg.KindBox()->setCurrentIndex(2);
    EXPECT_EQ(dlg.m_kind, ConnectionKind::Lan);
}

}  // namespace
}  // namespace somvix
