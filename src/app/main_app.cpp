#include "app/main_app.h"

#include <iostream>
#include <string>

#include "app/main_dlg.h"
#include "app/message_box.h"
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
}

int CMainApp::InitInstance(const StartOptions& options) {
    const DataFolder dataFolder = DataDirectory();
    if (dataFolder.status != DataFolderStatus::Ready) {
        ShowMessageBox(nullptr, DataFolderMessage(dataFolder), "Error", MessageIcon::Hand);
        return 1;
    }
    CMainDlg mainDlg;
    mainDlg.SetProgramDir(dataFolder.path);
    mainDlg.OnInitDialog();
    if (options.lanHost) {
        mainDlg.HostAddress().m_nConnectionKind = CONNECTION_LAN;
        mainDlg.HostAddress().m_strHostName = *options.lanHost;
    }
    if (options.devicePort) {
        mainDlg.SetDevicePort(*options.devicePort);
    }
    mainDlg.show();
    if (!options.recordingPath.empty() &&
        mainDlg.RecordingView().OpenRecordingFile(options.recordingPath.string()) != 0) {
        std::cerr << "somvixmn: " << options.recordingPath.string()
                  << " is not a trend recording (.htr)\n";
    }
    exec();
    return 0;
}

}  // namespace somvix
