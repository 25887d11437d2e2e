#include "widgets/elided_label.h"

namespace somvix {

CElidedLabel::CElidedLabel(Qt::TextElideMode mode, QWidget* parent) : QLabel(parent), m_mode(mode) {
    // Names from disk and the monitor are shown as they are, never read as markup.
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void CElidedLabel::SetFullText(const QString& text) {
    m_strText = text;
    Elide();
}

void CElidedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    Elide();
}

void CElidedLabel::Elide() {
    setText(fontMetrics().elidedText(m_strText, m_mode, width()));
}

}  // namespace somvix
