#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace somvix {

// A pair of arrows that step a whole number within a range and show it in a buddy edit box,
// which stays free to hold any text. The arrow keys in the edit box step it too.
class CUpDownControl : public QWidget {
    Q_OBJECT

public:
    CUpDownControl(QLineEdit* buddy, QWidget* parent);

    void SetRange(int lower, int upper);
    // The buddy shows the value as given; the arrows step on from it, held within the range.
    void SetPos(int value);
    int Pos() const { return m_nPos; }

    // One step up (+1) or down (-1) from the number in the buddy, or from the last position
    // when the buddy holds no whole number; the result is held within the range.
    void Step(int delta);

    QToolButton* UpArrow() const { return m_wndUp; }
    QToolButton* DownArrow() const { return m_wndDown; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int Clamp(long long value) const;

    QLineEdit* m_wndBuddy;
    QToolButton* m_wndUp;
    QToolButton* m_wndDown;
    int m_nLower = 0;
    int m_nUpper = 100;
    int m_nPos = 0;
};

}  // namespace somvix
