// The look at what the monitor holds: the folder choice, the read-only listing in
// the status window, and the list itself.

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/device_commands.h"
#include "app/message_box.h"
#include "device/cancel_request.h"
#include "transfer/device_session.h"
#include "transfer/download_folder.h"
#include "transfer/failure_text.h"
#include "transfer/monitor_contents.h"
#include "transfer/transfer_report.h"
#include "transfer/transfer_settings.h"
#include "transfer/transfer_texts.h"

namespace somvix {

namespace {

constexpr const char* CONTENTS_CAPTION = "Contenido del monitor";

// The monitorings in a list of two columns, name and state, until the user closes it.
void ShowContents(QWidget* owner, const MonitorContents& contents) {
    QDialog dialog(owner);
    dialog.setObjectName(QStringLiteral("monitorContents"));
    dialog.setWindowTitle(QString::fromStdString(std::string(CONTENTS_CAPTION) + " " +
                                                 PrintableName(contents.deviceName)));
    auto* list = new QTreeWidget(&dialog);
    list->setRootIsDecorated(false);
    list->setHeaderLabels({QStringLiteral("Monitorización"), QStringLiteral("En este PC")});
    for (const MonitoringEntry& entry : contents.monitorings) {
        // Item texts are plain text: a name is never markup.
        list->addTopLevelItem(
            new QTreeWidgetItem({QString::fromStdString(PrintableName(entry.name)),
                                 QString::fromUtf8(MonitoringStateText(entry.state))}));
    }
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(list);
    layout->addWidget(buttons);
    dialog.exec();
}

}  // namespace

void CDeviceCommands::OnMonitorContents() {
    std::string path;
    if (!ChooseFolder(path)) {
        return;
    }
    std::string folder;
    CutAtLastSeparator(path, folder);

    CancelRequest cancel;
    const TransferSettings settings = MakeTransferSettings(cancel);
    HostAdaptation& adaptation = Adaptation();
    MonitorContents contents;
    TransferReport report;
    const int result = RunConnection([&](OperationUi& ui) {
        return ListMonitorData(folder, m_hostAddress, adaptation, ui, settings, contents, &report);
    });
    m_pCancel = nullptr;
    if (result < 0) {
        ShowMessageBox(m_pMainWindow, "Error leyendo el contenido del monitor", ERROR_CAPTION,
                       MessageIcon::Hand, DescribeCause(report.cause));
        return;
    }
    ShowContents(m_pMainWindow, contents);
}

}  // namespace somvix
