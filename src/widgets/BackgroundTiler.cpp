#include "widgets/BackgroundTiler.h"

#include "widgets/Artwork.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

namespace glypharo {

BackgroundTiler::BackgroundTiler(QWidget* widget)
    : QObject(widget)
    , widget_(widget)
{
    widget_->installEventFilter(this);
    widget_->setAutoFillBackground(true);
    refresh();
}

void BackgroundTiler::install(QWidget* widget)
{
    if (widget == nullptr || widget->findChild<BackgroundTiler*>(QString(), Qt::FindDirectChildrenOnly)) {
        return;
    }
    new BackgroundTiler(widget);
}

QBrush BackgroundTiler::brush(qreal dpr)
{
    return QBrush(Artwork::backgroundTile(dpr));
}

void BackgroundTiler::paint(QPainter& painter, const QRect& rect)
{
    const qreal dpr = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    painter.drawTiledPixmap(rect, Artwork::backgroundTile(dpr), rect.topLeft());
}

void BackgroundTiler::refresh()
{
    const qreal dpr = widget_->devicePixelRatioF();
    if (qFuzzyCompare(dpr, appliedRatio_)) {
        return;
    }
    appliedRatio_ = dpr;
    QPalette palette = widget_->palette();
    palette.setBrush(QPalette::Window, brush(dpr));
    widget_->setPalette(palette);
}

bool BackgroundTiler::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == widget_) {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::ScreenChangeInternal:
        case QEvent::ParentChange:
            refresh();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace glypharo
