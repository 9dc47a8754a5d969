#include "widgets/BoardPicture.h"

#include "widgets/Artwork.h"

#include <QMouseEvent>
#include <QPainter>

namespace glypharo {

BoardPicture::BoardPicture(QWidget* parent)
    : QWidget(parent)
{
    setGeometry(QRect(Artwork::kBoardOrigin, Artwork::kBoardSize));
}

QSize BoardPicture::sizeHint() const
{
    return Artwork::kBoardSize;
}

void BoardPicture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawPixmap(0, 0, Artwork::boardPicture(devicePixelRatioF()));
}

void BoardPicture::mousePressEvent(QMouseEvent* event)
{
    pressed_ |= event->button();
    event->accept();
}

void BoardPicture::mouseReleaseEvent(QMouseEvent* event)
{
    const Qt::MouseButton button = event->button();
    const bool wasPressed = pressed_.testFlag(button);
    pressed_ &= ~Qt::MouseButtons(button);
    event->accept();
    if (wasPressed && rect().contains(event->position().toPoint())) {
        emit clicked(button);
    }
}

} // namespace glypharo
