#pragma once

#include <QLabel>

namespace somvix {

// One line of plain text that shows as much of itself as its width allows, with "…" where the
// rest would be (the middle of a path, the end of a sentence). It never widens what holds it.
class CElidedLabel : public QLabel {
public:
    explicit CElidedLabel(Qt::TextElideMode mode, QWidget* parent = nullptr);

    void SetFullText(const QString& text);
    const QString& FullText() const { return m_strText; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Elide();

    Qt::TextElideMode m_mode;
    QString m_strText;
};

}  // namespace somvix
