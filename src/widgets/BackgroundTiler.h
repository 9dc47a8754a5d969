#pragma once

#include <QBrush>
#include <QObject>

class QPainter;
class QWidget;

namespace glypharo {

// Gives a widget the game's tiled window background. install() sets the
// widget's Window brush to the background tile at the widget's device pixel
// ratio and keeps it right when the widget moves to a screen of another ratio;
// child widgets that do not fill their own background show it through.
class BackgroundTiler : public QObject {
    Q_OBJECT
public:
    // Installs once per widget; the tiler lives as the widget's child.
    static void install(QWidget* widget);

    // The tiled brush at a device pixel ratio.
    static QBrush brush(qreal dpr);

    // Tiles `rect` on a painter (for widgets that paint their own background),
    // at the ratio of the painter's device.
    static void paint(QPainter& painter, const QRect& rect);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit BackgroundTiler(QWidget* widget);
    void refresh();

    QWidget* widget_;
    qreal appliedRatio_ = 0;
};

} // namespace glypharo
