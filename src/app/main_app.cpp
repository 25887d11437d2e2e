#include "app/main_app.h"

#include <QSettings>

#include <iostream>
#include <string>

#include "app/main_dlg.h"
#include "app/message_box.h"
#include "app/qt_translation.h"
#include "chart/render/fonts.h"
#include "hostnet/host_address_state.h"
#include "shared/program_dir.h"

namespace somvix {

namespace {

// Why the program does not run without its data folder. Plain ASCII: the text reads the same
// however the message box decodes it.
std::string DataFolderMessage(const DataFolder& folder) {
    if (folder.status == DataFolderStatus::NotCreated) {
        return "No se puede crear la carpeta de datos " + folder.path.string();
    }
    return "El programa no guarda datos en su propia carpeta (instalado, o sin permiso de "
           "escritura) y el usuario no tiene carpeta de datos propia (HOME sin definir): los "
           "ajustes y los registros no se guardan en una carpeta compartida.";
}

}  // namespace

CMainApp::CMainApp(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("somvixmn"));
    // Ties the window to its desktop entry, whose icon and name the desktop then shows.
    setDesktopFileName(QStringLiteral("org.somvixmn.somvixmn"));
    InstallFontSubstitutions();
    InstallQtSpanish(m_qtSpanish);
}

int CMainApp::InitInstance(const StartOptions& options) {
    const DataFolder dataFolder = DataDirectory();
    if (dataFolder.status != DataFolderStatus::Ready) {
        ShowMessageBox(nullptr, DataFolderMessage(dataFolder), "Error", MessageIcon::Hand);
        return 1;
    }
    // The user's own choices (window, folders, recent files), never in the settings file
    // beside the program, whose format is fixed.
    QSettings userSettings(QStringLiteral("somvixmn"), QStringLiteral("somvixmn"));
    CMainDlg mainDlg;
    mainDlg.SetDataDir(dataFolder.path);
    mainDlg.SetUserSettings(&userSettings);
    mainDlg.OnInitDialog();
    mainDlg.RestoreWindowState();
    if (options.lanHost) {
        mainDlg.Device().HostAddress().m_connectionKind = ConnectionKind::Lan;
        mainDlg.Device().HostAddress().m_strHostName = *options.lanHost;
    }
    if (options.devicePort) {
        mainDlg.Device().SetDevicePort(*options.devicePort);
    }
    mainDlg.show();
    if (!options.recordingPath.empty() &&
        mainDlg.RecordingView().OpenRecordingFile(options.recordingPath.string()) != 0) {
        std::cerr << "somvixmn: " << options.recordingPath.string()
                  << " is not a trend recording (.htr)\n";
    }
    exec();
    mainDlg.SaveWindowState();
    return 0;
}

}  // namespace somvix
