#include "app/FaceView.h"

#include "widgets/Artwork.h"

#include <QMouseEvent>
#include <QPainter>

namespace glypharo {

FaceView::FaceView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

void FaceView::setFace(int face)
{
    if (face == face_)
        return;
    face_ = face;
    update();
}

void FaceView::setClosed(bool closed)
{
    if (closed == closed_)
        return;
    closed_ = closed;
    update();
}

void FaceView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (closed_) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 70));
        p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 4, 4);
    }
    if (face_ < 0)
        return;
    p.drawPixmap(0, 0, Artwork::letterFace(face_, devicePixelRatioF(), size()));
}

void FaceView::mouseReleaseEvent(QMouseEvent* event)
{
    if (rect().contains(event->position().toPoint()))
        Q_EMIT clicked(event->button());
}

} // namespace glypharo
