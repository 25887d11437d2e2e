// The main window's recording: choosing and reading a recording, and the caption it gives.
#include <QFileDialog>

#include "app/client_area.h"
#include "app/main_dlg.h"
#include "app/message_box.h"
#include "chart/recording_reader.h"
#include "chart/zone_hiding.h"

namespace somvix {

void CMainDlg::SetRecordingFileChooser(std::function<QString()> chooser) {
    m_chooseRecordingFile = std::move(chooser);
}

int CMainDlg::ChooseRecordingFile(std::string& pathName) {
    QString chosen;
    if (m_chooseRecordingFile) {
        chosen = m_chooseRecordingFile();
    } else {
        QFileDialog dialog(this);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilter(QStringLiteral("Archivos HTR (*.htr)"));
        dialog.setDefaultSuffix(QStringLiteral("htr"));
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
            chosen = dialog.selectedFiles().constFirst();
        }
    }
    if (chosen.isEmpty()) {
        return -1;
    }
    pathName = chosen.toStdString();
    return 0;
}

void CMainDlg::OnOpenRecording() {
    std::string pathName;
    if (ChooseRecordingFile(pathName) != 0) {
        return;
    }
    OpenRecordingFile(pathName);
}

int CMainDlg::OpenRecordingFile(const std::string& pathName) {
    // Any file but a .htr is refused silently: the recording on screen stays.
    if (SelectRecordingFile(m_recording, pathName) != 0) {
        return -1;
    }
    ReadRecording();
    return 0;
}

void CMainDlg::ReadRecording() {
    LoadRecording(m_recording, m_settings,
                  [this](const std::string& text, const std::string& caption, MessageIcon icon) {
                      ShowMessageBox(text, caption, icon);
                  });
    UpdateCaption();
    m_wndClient->update();
}

void CMainDlg::ApplyZoneHiding() {
    somvix::ApplyZoneHiding(m_recording, m_settings);
    m_wndClient->update();
}

void CMainDlg::ShowMessageBox(const std::string& text, const std::string& caption,
                              MessageIcon icon) {
    somvix::ShowMessageBox(this, text, caption, icon);
}

}  // namespace somvix
