#pragma once

#include <QApplication>

#include <filesystem>

namespace somvix {

// What the command line of `somvixmn` asks for at start-up.
struct StartOptions {
    std::filesystem::path recordingPath;  // a .htr file to open, or empty
};

// The application object: it runs the main window and the program ends when that window closes.
class CMainApp : public QApplication {
public:
    CMainApp(int& argc, char** argv);

    int InitInstance(const StartOptions& options);
};

}  // namespace somvix
