#pragma once

#include <QApplication>
#include <QTranslator>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace somvix {

// What the command line of `somvixmn` asks for at start-up.
struct StartOptions {
    std::filesystem::path recordingPath;      // a .htr file to open, or empty
    std::optional<std::string> lanHost;       // start with the "LAN" kind aimed at this host
    std::optional<std::uint16_t> devicePort;  // the monitor's port, when not the standard one
};

// The application object: it runs the main window and the program ends when that window closes.
class CMainApp : public QApplication {
public:
    CMainApp(int& argc, char** argv);

    int InitInstance(const StartOptions& options);

private:
    QTranslator m_qtSpanish;  // Qt's own dialogs and buttons in Spanish
};

}  // namespace somvix
