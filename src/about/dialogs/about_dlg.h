#pragma once

#include <QDialog>
#include <QFont>

#include <string>

class QLabel;

namespace somvix {

// "Acerca del programa": the program's version, read from its own version record, above the
// product's contact lines.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    int DoModal();
    void OnInitDialog();

    // "Versión del programa:   " followed by the file version (nothing when there is none).
    static QString VersionLine(const std::string& fileVersion);

private:
    QFont m_fontVersion;
    int m_nLogPixelsY = 0;
    QLabel* m_wndVersion;
};

}  // namespace somvix
