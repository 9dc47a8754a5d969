#include "widgets/ImageButton.h"

#include <QEvent>
#include <QPainter>

namespace glypharo {

ImageButton::ImageButton(Artwork::ButtonKind kind, QWidget* parent)
    : QAbstractButton(parent)
    , kind_(kind)
{
    setText(Artwork::buttonText(kind));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
    resize(sizeHint());
}

Artwork::ButtonState ImageButton::visualState() const
{
    if (!isEnabled()) {
        return Artwork::ButtonState::Disabled;
    }
    if (isDown() || isChecked()) {
        return Artwork::ButtonState::Pressed;
    }
    return underMouse() ? Artwork::ButtonState::Hover : Artwork::ButtonState::Normal;
}

QSize ImageButton::sizeHint() const
{
    return Artwork::buttonSize(kind_);
}

void ImageButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawPixmap(0, 0, Artwork::button(text(), kind_, visualState(), size(), devicePixelRatioF()));
    if (hasFocus()) {
        p.setRenderHint(QPainter::Antialiasing);
        QPen ring(QColor(0xff, 0xe0, 0x8a, 235), 1.5, Qt::DotLine);
        p.setPen(ring);
        p.setBrush(Qt::NoBrush);
        const qreal radius = qMin(height() / 2.0 - 3, 5.0);
        p.drawRoundedRect(QRectF(rect()).adjusted(3, 3, -3, -4), radius, radius);
    }
}

bool ImageButton::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverLeave:
    case QEvent::EnabledChange:
        update();
        break;
    default:
        break;
    }
    return QAbstractButton::event(event);
}

} // namespace glypharo
