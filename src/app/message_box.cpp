#include "app/message_box.h"

#include <QMessageBox>

namespace somvix {

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Hand:
            return QMessageBox::Critical;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Asterisk:
            return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void ShowMessageBox(QWidget* parent, const std::string& text, const std::string& caption,
                    MessageIcon icon) {
    ShowMessageBox(parent, text, caption, icon, std::string());
}

void ShowMessageBox(QWidget* parent, const std::string& text, const std::string& caption,
                    MessageIcon icon, const std::string& detail) {
    QMessageBox box(BoxIcon(icon), QString::fromStdString(caption), QString::fromStdString(text),
                    QMessageBox::Ok, parent);
    // Messages name monitorings and recordings: their names are never markup.
    box.setTextFormat(Qt::PlainText);
    if (!detail.empty()) {
        // Shown as plain text, whatever it holds.
        box.setDetailedText(QString::fromStdString(detail));
    }
    box.exec();
}

}  // namespace somvix
