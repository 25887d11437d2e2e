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
    QMessageBox box(BoxIcon(icon), QString::fromStdString(caption), QString::fromStdString(text),
                    QMessageBox::Ok, parent);
    // Messages name monitorings and recordings: their names are never markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace somvix
