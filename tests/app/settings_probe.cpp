// Starts the main window as the program does and prints the display settings it read, so that
// a test can run it from any folder: "THRESHOLD SHOW_BAD_CONTACT SHOW_IMPEDANCE_OFF".
#include <QApplication>

#include <iostream>

#include "app/main_dlg.h"
#include "shared/program_dir.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    somvix::CMainDlg mainDlg;
    mainDlg.SetDataDir(somvix::DataDirectory().path);
    mainDlg.OnInitDialog();
    const somvix::DisplaySettings& settings = mainDlg.Settings();
    std::cout << settings.m_nBadElectrodeThreshold << ' ' << settings.m_bShowBadContact << ' '
              << settings.m_bShowImpedanceOff << '\n';
    return 0;
}
