#pragma once

#include <QLineEdit>
#include <QToolButton>
#include <QWidget>

namespace glypharo {

// An up-down control bound to a read-only edit box: the value changes only
// through the arrows (or the arrow keys on the edit), stays within
// [min, max], never wraps, and the edit shows it without separators.
class UpDown : public QWidget {
    Q_OBJECT
public:
    UpDown(QLineEdit* buddy, int min, int max, int step, int position, QWidget* parent = nullptr);

    int position() const { return position_; }
    // Holds a value outside the range at the nearest end.
    void setPosition(int value);
    void stepUp() { setPosition(position_ + step_); }
    void stepDown() { setPosition(position_ - step_); }
    int minimum() const { return min_; }
    int maximum() const { return max_; }

Q_SIGNALS:
    void positionChanged(int position);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* buddy_;
    QToolButton up_;
    QToolButton down_;
    int min_;
    int max_;
    int step_;
    int position_;
};

} // namespace glypharo
