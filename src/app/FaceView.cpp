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

void FaceView::paintEvent(QPaintEvent*)
{
    if (face_ < 0)
        return;
    QPainter p(this);
    p.drawPixmap(0, 0, Artwork::letterFace(face_, devicePixelRatioF(), size()));
}

void FaceView::mouseReleaseEvent(QMouseEvent* event)
{
    if (rect().contains(event->position().toPoint()))
        Q_EMIT clicked(event->button());
}

} // namespace glypharo
