#include "widgets/ArtPainter.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPixmapCache>
#include <QtMath>

namespace glypharo {

namespace {

// A small deterministic hash: pictures must not change from run to run.
quint32 scramble(quint32 x)
{
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

qreal unit(quint32 seed, quint32 n)
{
    return static_cast<qreal>(scramble(seed * 7919U + n) % 10000U) / 10000.0;
}

} // namespace

QPixmap ArtPainter::canvas(QSizeF logical, qreal dpr)
{
    if (dpr <= 0) {
        dpr = 1;
    }
    const int w = qMax(1, qCeil(logical.width() * dpr - 1e-6));
    const int h = qMax(1, qCeil(logical.height() * dpr - 1e-6));
    QPixmap pixmap(w, h);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPixmap ArtPainter::cached(
    const QString& key, QSizeF logical, qreal dpr, const std::function<void(QPainter&)>& draw)
{
    const QString fullKey
        = QStringLiteral("glypharo/%1/%2x%3@%4").arg(key).arg(logical.width()).arg(logical.height()).arg(dpr);
    QPixmap pixmap;
    if (QPixmapCache::find(fullKey, &pixmap)) {
        return pixmap;
    }
    pixmap = canvas(logical, dpr);
    {
        QPainter p(&pixmap);
        prepare(p);
        draw(p);
    }
    QPixmapCache::insert(fullKey, pixmap);
    return pixmap;
}

void ArtPainter::prepare(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

QFont ArtPainter::font(qreal pixelSize, bool bold)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(qMax(1, qRound(pixelSize)));
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

void ArtPainter::centredText(
    QPainter& p, const QString& text, const QFont& font, QPointF centre, const QBrush& fill)
{
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF ink = path.boundingRect();
    path.translate(centre - ink.center());
    p.fillPath(path, fill);
}

void ArtPainter::tile(QPainter& p, const QRectF& rect, qreal radius, int seed, bool dark)
{
    p.save();
    p.setPen(Qt::NoPen);
    // Two soft shadow layers read as a tile resting on the surface.
    p.setBrush(QColor(0, 0, 0, 45));
    p.drawRoundedRect(rect.translated(0.6, 1.4), radius, radius);
    p.setBrush(QColor(0, 0, 0, 35));
    p.drawRoundedRect(rect.adjusted(0.5, 1.0, 1.0, 1.6), radius, radius);

    const QRectF body = rect.adjusted(0, 0, -1.0, -1.2);
    QLinearGradient face(body.topLeft(), body.bottomLeft());
    face.setColorAt(0.0, dark ? QColor(0x4a, 0x4e, 0x55) : QColor(0xfd, 0xf4, 0xdf));
    face.setColorAt(0.55, dark ? QColor(0x34, 0x37, 0x3d) : QColor(0xf4, 0xe4, 0xc0));
    face.setColorAt(1.0, dark ? QColor(0x24, 0x26, 0x2b) : QColor(0xe8, 0xd2, 0xa4));
    p.setBrush(face);
    p.setPen(QPen(dark ? QColor(0x14, 0x15, 0x18) : QColor(0x9a, 0x78, 0x48), 1.0));
    p.drawRoundedRect(body.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);

    // Faint grain lines, clipped to the face.
    QPainterPath clip;
    clip.addRoundedRect(body.adjusted(1, 1, -1, -1), radius - 1, radius - 1);
    p.setClipPath(clip);
    const auto s = static_cast<quint32>(seed + 1);
    for (int i = 0; i < 5; ++i) {
        const qreal y = body.top() + body.height() * (0.12 + 0.18 * i + 0.08 * unit(s, i));
        const qreal bend = (unit(s, i + 10) - 0.5) * body.height() * 0.18;
        QPainterPath grain;
        grain.moveTo(body.left(), y);
        grain.cubicTo(body.left() + body.width() * 0.35, y + bend, body.left() + body.width() * 0.65,
            y - bend, body.right(), y + bend * 0.5);
        p.setPen(QPen(dark ? QColor(255, 255, 255, 8) : QColor(0x8a, 0x5a, 0x20, 16), 0.8));
        p.setBrush(Qt::NoBrush);
        p.drawPath(grain);
    }
    p.setClipping(false);

    // Bevel: light from the top left, shade towards the bottom right.
    QLinearGradient bevel(body.topLeft(), body.bottomRight());
    bevel.setColorAt(0.0, QColor(255, 255, 255, dark ? 70 : 210));
    bevel.setColorAt(0.5, QColor(255, 255, 255, 0));
    bevel.setColorAt(1.0, QColor(0x5a, 0x3a, 0x10, dark ? 90 : 70));
    p.setPen(QPen(QBrush(bevel), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(body.adjusted(1.6, 1.6, -1.6, -1.6), radius - 1.2, radius - 1.2);
    p.restore();
}

void ArtPainter::well(QPainter& p, const QRectF& rect, qreal radius, bool startColumn)
{
    p.save();
    p.setPen(Qt::NoPen);
    // The lit lower edge of the cut, then the cut itself a little higher.
    p.setBrush(QColor(255, 255, 255, 26));
    p.drawRoundedRect(rect.translated(0, 0.8), radius, radius);
    QLinearGradient floor(rect.topLeft(), rect.bottomLeft());
    floor.setColorAt(0.0, QColor(0x0b, 0x2c, 0x21));
    floor.setColorAt(0.35, QColor(0x10, 0x39, 0x2b));
    floor.setColorAt(1.0, QColor(0x15, 0x44, 0x34));
    p.setBrush(floor);
    p.drawRoundedRect(rect, radius, radius);

    // Inner shadow along the top and left edges.
    QPainterPath clip;
    clip.addRoundedRect(rect, radius, radius);
    p.setClipPath(clip);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 70), 2.0));
    p.drawRoundedRect(rect.translated(0.8, 1.2), radius, radius);
    p.setClipping(false);

    if (startColumn) {
        p.setPen(QPen(QColor(0xd8, 0xb2, 0x5a, 150), 1.0));
        p.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    }
    p.restore();
}

QPainterPath ArtPainter::star(QPointF centre, qreal outer, qreal inner)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const qreal angle = -M_PI / 2 + i * M_PI / 5;
        const qreal r = (i % 2 == 0) ? outer : inner;
        const QPointF point(centre.x() + r * qCos(angle), centre.y() + r * qSin(angle));
        if (i == 0) {
            path.moveTo(point);
        } else {
            path.lineTo(point);
        }
    }
    path.closeSubpath();
    return path;
}

QColor ArtPainter::mix(const QColor& a, const QColor& b, qreal t)
{
    t = qBound(0.0, t, 1.0);
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
        static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
        static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t),
        static_cast<float>(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

} // namespace glypharo
