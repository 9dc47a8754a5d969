#include "widgets/TileView.h"

#include "widgets/Artwork.h"

#include <QMouseEvent>
#include <QPainter>

namespace glypharo {

TileView::TileView(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_Hover);
    resize(Artwork::kFaceSize);
}

void TileView::setFace(int face)
{
    if (face < 0 || face >= Artwork::kFaceCount) {
        face = kNoFace;
    }
    if (face == face_) {
        return;
    }
    face_ = face;
    update();
}

void TileView::setClosed(bool closed)
{
    if (closed == closed_) {
        return;
    }
    closed_ = closed;
    update();
}

QSize TileView::sizeHint() const
{
    return Artwork::kFaceSize;
}

void TileView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (closed_) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 70));
        p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 4, 4);
    }
    if (face_ == kNoFace) {
        return;
    }
    p.drawPixmap(0, 0, Artwork::letterFace(face_, devicePixelRatioF(), size()));
    if (hovered_ && isEnabled()) {
        // Lighten the face only; the shadow edge stays as it is.
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 55));
        const qreal radius = qMin(width(), height()) * 0.12;
        p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -2, -2.5), radius, radius);
    }
}

void TileView::mousePressEvent(QMouseEvent* event)
{
    pressed_ |= event->button();
    event->accept();
}

void TileView::mouseReleaseEvent(QMouseEvent* event)
{
    const Qt::MouseButton button = event->button();
    const bool wasPressed = pressed_.testFlag(button);
    pressed_ &= ~Qt::MouseButtons(button);
    event->accept();
    if (wasPressed && rect().contains(event->position().toPoint())) {
        emit clicked(button);
    }
}

void TileView::enterEvent(QEnterEvent* event)
{
    hovered_ = true;
    update();
    QWidget::enterEvent(event);
}

void TileView::leaveEvent(QEvent* event)
{
    hovered_ = false;
    update();
    QWidget::leaveEvent(event);
}

} // namespace glypharo
