#include "about/dialogs/about_dlg.h"

#include <QLabel>
#include <QPushButton>

#include "about/product_text.h"
#include "about/version_info.h"
#include "chart/render/fonts.h"
#include "widgets/dialog_template.h"

namespace somvix {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    const DialogUnits units =
        SetUpTemplateDialog(*this, QStringLiteral("Acerca del programa"), 187, 126);
    QPushButton* ok = AddOkButton(*this, units, QRect(76, 98, 33, 14));
    m_wndVersion = new QLabel(QStringLiteral("Versión: "), this);
    m_wndVersion->setObjectName(QStringLiteral("static1008"));
    m_wndVersion->setGeometry(units.Rect(QRect(27, 13, 115, 14)));
    m_wndVersion->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // The contact lines fill the band from y 36 to y 87, one under the other.
    const std::string_view lines[] = {PRODUCT_NAME_LINE, PRODUCT_LICENCE_LINE, PRODUCT_MANUAL_LINE,
                                      PRODUCT_FAULT_LINE};
    int y = 36;
    for (const std::string_view line : lines) {
        auto* label =
            new QLabel(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())), this);
        label->setObjectName(QStringLiteral("contact"));
        label->setGeometry(units.Rect(QRect(10, y, 167, 10)));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        y += 13;
    }
    ok->setFocus();
}

int CAboutDlg::DoModal() {
    OnInitDialog();
    return exec();
}

void CAboutDlg::OnInitDialog() {
    m_nLogPixelsY = logicalDpiY();
    m_fontVersion = MakeFont(QStringLiteral("MS Sans Serif"), 9, m_nLogPixelsY);
    m_wndVersion->setFont(m_fontVersion);
    // Read anew each time the box opens; a program without a record shows the bare label.
    CVersionInfo version;
    version.Create(ModuleHandle{});
    m_wndVersion->setText(VersionLine(version.GetFileVersion()));
    WidenToText(*m_wndVersion);
}

QString CAboutDlg::VersionLine(const std::string& fileVersion) {
    return QStringLiteral("Versión del programa:   ") + QString::fromStdString(fileVersion);
}

}  // namespace somvix
