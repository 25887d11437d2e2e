#include "app/main_app.h"

#include <iostream>

#include "app/main_dlg.h"
#include "app/program_dir.h"
#include "chart/fonts.h"
#include "hostnet/host_address_state.h"

namespace somvix {

CMainApp::CMainApp(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("somvixmn"));
    // Ties the window to its desktop entry, whose icon and name the desktop then shows.
    setDesktopFileName(QStringLiteral("org.somvixmn.somvixmn"));
    InstallFontSubstitutions();
}

int CMainApp::InitInstance(const StartOptions& options) {
    CMainDlg mainDlg;
    mainDlg.SetProgramDir(DataDirectory());
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
        mainDlg.OpenRecordingFile(options.recordingPath.string()) != 0) {
        std::cerr << "somvixmn: " << options.recordingPath.string()
                  << " is not a trend recording (.htr)\n";
    }
    exec();
    return 0;
}

}  // namespace somvix
