#include "app/UpDown.h"

#include <QKeyEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace glypharo {

UpDown::UpDown(QLineEdit* buddy, int min, int max, int step, int position, QWidget* parent)
    : QWidget(parent)
    , buddy_(buddy)
    , min_(min)
    , max_(max)
    , step_(step)
    , position_(min)
{
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    up_.setArrowType(Qt::UpArrow);
    down_.setArrowType(Qt::DownArrow);
    for (QToolButton* b : {&up_, &down_}) {
        b->setAutoRepeat(true);
        b->setFixedSize(18, 12);
        b->setFocusPolicy(Qt::NoFocus);
        box->addWidget(b);
    }
    connect(&up_, &QToolButton::clicked, this, &UpDown::stepUp);
    connect(&down_, &QToolButton::clicked, this, &UpDown::stepDown);
    buddy_->setReadOnly(true);
    buddy_->installEventFilter(this);
    setPosition(position);
}

void UpDown::setPosition(int value)
{
    int clamped = std::clamp(value, min_, max_);
    bool changed = clamped != position_;
    position_ = clamped;
    buddy_->setText(QString::number(position_));
    if (changed)
        Q_EMIT positionChanged(position_);
}

bool UpDown::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == buddy_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Up) {
            stepUp();
            return true;
        }
        if (key->key() == Qt::Key_Down) {
            stepDown();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace glypharo
