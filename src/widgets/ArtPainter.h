#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRectF>
#include <QString>

#include <functional>

namespace glypharo {

// Drawing helpers shared by the game's pictures. Everything is drawn in
// logical pixels on a pixmap that carries the device pixel ratio, so the same
// code gives crisp pictures on normal and high-density screens.
class ArtPainter {
public:
    // A transparent pixmap of the given logical size at the given ratio.
    static QPixmap canvas(QSizeF logical, qreal dpr);

    // Looks the picture up in the pixmap cache under `key`, drawing it with
    // `draw` on a fresh canvas when it is not there yet.
    static QPixmap cached(
        const QString& key, QSizeF logical, qreal dpr, const std::function<void(QPainter&)>& draw);

    // Turns on anti-aliasing for shapes, text and scaled pixmaps.
    static void prepare(QPainter& p);

    // DejaVu Sans (shipped with Debian) at a pixel size, bold or not.
    static QFont font(qreal pixelSize, bool bold = true);

    // Fills the glyphs of `text` centred on `centre` by their ink, not their
    // advance, so single letters sit optically in the middle.
    static void centredText(
        QPainter& p, const QString& text, const QFont& font, QPointF centre, const QBrush& fill);

    // A letter tile: soft shadow, gradient face, bevel, faint grain. `seed`
    // varies the grain so neighbouring tiles do not look stamped.
    static void tile(QPainter& p, const QRectF& rect, qreal radius, int seed, bool dark = false);

    // A recessed, engraved well in a surface.
    static void well(QPainter& p, const QRectF& rect, qreal radius, bool startColumn);

    // A five-pointed star.
    static QPainterPath star(QPointF centre, qreal outer, qreal inner);

    // A colour between a and b; t from 0 (a) to 1 (b).
    static QColor mix(const QColor& a, const QColor& b, qreal t);
};

} // namespace glypharo
