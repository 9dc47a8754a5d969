#include "widgets/Smilies.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <cmath>

namespace glypharo {

namespace {

enum class Face {
    Smile,
    Grin,
    Wink,
    Sad,
    Tongue,
    Surprised,
    Cool,
    Angry,
    Crying,
    Laughing,
    Kiss,
    Confused,
    Sleepy,
    Blush,
    Devil,
    Angel,
    Sick,
    Love
};

const std::array<const char*, Smilies::kCount> kNames{"Smile", "Grin", "Wink", "Sad", "Tongue", "Surprised",
    "Cool", "Angry", "Crying", "Laughing", "Kiss", "Confused", "Sleepy", "Blushing", "Devil", "Angel", "Sick",
    "In Love"};

const QColor kInk(70, 40, 10);

// All drawing is in a 100 x 100 box; the painter is scaled to the size.
void head(QPainter& p, const QColor& light, const QColor& dark)
{
    QRadialGradient g(QPointF(40, 35), 60);
    g.setColorAt(0, light);
    g.setColorAt(1, dark);
    p.setPen(QPen(dark.darker(150), 4));
    p.setBrush(g);
    p.drawEllipse(QRectF(6, 6, 88, 88));
}

void dotEyes(QPainter& p, qreal y = 38, qreal h = 16)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QRectF(31, y, 10, h));
    p.drawEllipse(QRectF(59, y, 10, h));
}

QPen inkPen(qreal width = 5)
{
    return QPen(kInk, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void arc(QPainter& p, QRectF box, int startDeg, int spanDeg, qreal width = 5)
{
    p.setPen(inkPen(width));
    p.setBrush(Qt::NoBrush);
    p.drawArc(box, startDeg * 16, spanDeg * 16);
}

void smileMouth(QPainter& p)
{
    arc(p, QRectF(26, 30, 48, 44), 200, 140);
}

void openMouth(QPainter& p, QRectF box, const QColor& fill = QColor(150, 30, 30))
{
    QPainterPath path;
    path.moveTo(box.left(), box.top());
    path.lineTo(box.right(), box.top());
    path.arcTo(box.adjusted(0, -box.height(), 0, 0), 0, -180);
    path.closeSubpath();
    p.setPen(inkPen(4));
    p.setBrush(fill);
    p.drawPath(path);
}

void heart(QPainter& p, QPointF c, qreal s, const QColor& colour)
{
    QPainterPath path;
    path.moveTo(c.x(), c.y() + s);
    path.cubicTo(c.x() - 2 * s, c.y() - 0.2 * s, c.x() - s, c.y() - 1.6 * s, c.x(), c.y() - 0.5 * s);
    path.cubicTo(c.x() + s, c.y() - 1.6 * s, c.x() + 2 * s, c.y() - 0.2 * s, c.x(), c.y() + s);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(path);
}

void drawFace(QPainter& p, Face face)
{
    const QColor yellow(255, 236, 90), orange(240, 170, 20);
    switch (face) {
    case Face::Angry:
        head(p, QColor(255, 150, 110), QColor(215, 50, 30));
        break;
    case Face::Sick:
        head(p, QColor(210, 240, 140), QColor(120, 170, 50));
        break;
    case Face::Devil:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 30, 30));
        p.drawPolygon(QPolygonF({QPointF(14, 30), QPointF(8, 2), QPointF(34, 16)}));
        p.drawPolygon(QPolygonF({QPointF(86, 30), QPointF(92, 2), QPointF(66, 16)}));
        head(p, QColor(255, 120, 100), QColor(190, 30, 30));
        break;
    default:
        head(p, yellow, orange);
    }
    switch (face) {
    case Face::Smile:
        dotEyes(p);
        smileMouth(p);
        break;
    case Face::Grin:
        dotEyes(p, 30);
        openMouth(p, QRectF(24, 56, 52, 24), Qt::white);
        break;
    case Face::Wink:
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawEllipse(QRectF(31, 34, 10, 16));
        arc(p, QRectF(55, 36, 18, 12), 0, 180);
        smileMouth(p);
        break;
    case Face::Sad:
        dotEyes(p);
        arc(p, QRectF(30, 62, 40, 26), 20, 140);
        break;
    case Face::Tongue:
        dotEyes(p, 32);
        p.setPen(inkPen(3));
        p.setBrush(QColor(240, 90, 110));
        p.drawRoundedRect(QRectF(46, 62, 20, 26), 9, 9);
        p.setPen(inkPen());
        p.drawLine(QPointF(28, 64), QPointF(72, 64));
        break;
    case Face::Surprised:
        p.setPen(inkPen(3));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(27, 26, 18, 22));
        p.drawEllipse(QRectF(55, 26, 18, 22));
        dotEyes(p, 33, 10);
        p.setBrush(QColor(130, 30, 30));
        p.drawEllipse(QRectF(40, 58, 20, 24));
        break;
    case Face::Cool:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 20, 30));
        p.drawRoundedRect(QRectF(20, 30, 27, 20), 6, 6);
        p.drawRoundedRect(QRectF(53, 30, 27, 20), 6, 6);
        p.setPen(QPen(QColor(20, 20, 30), 4));
        p.drawLine(QPointF(12, 34), QPointF(88, 34));
        smileMouth(p);
        break;
    case Face::Angry:
        dotEyes(p, 40, 13);
        p.setPen(inkPen(6));
        p.drawLine(QPointF(24, 28), QPointF(44, 38));
        p.drawLine(QPointF(76, 28), QPointF(56, 38));
        arc(p, QRectF(30, 64, 40, 24), 20, 140);
        break;
    case Face::Crying:
        dotEyes(p, 34, 12);
        arc(p, QRectF(30, 62, 40, 26), 20, 140);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(70, 150, 255));
        p.drawEllipse(QRectF(28, 50, 10, 18));
        p.drawEllipse(QRectF(62, 50, 10, 18));
        break;
    case Face::Laughing:
        arc(p, QRectF(27, 32, 18, 14), 0, 180);
        arc(p, QRectF(55, 32, 18, 14), 0, 180);
        openMouth(p, QRectF(22, 54, 56, 28));
        break;
    case Face::Kiss:
        dotEyes(p);
        arc(p, QRectF(42, 58, 12, 10), 270, 180, 4);
        arc(p, QRectF(42, 67, 12, 10), 270, 180, 4);
        heart(p, QPointF(74, 70), 8, QColor(230, 40, 70));
        break;
    case Face::Confused:
        dotEyes(p);
        p.setPen(inkPen());
        p.setBrush(Qt::NoBrush);
        {
            QPainterPath wave;
            wave.moveTo(28, 72);
            wave.cubicTo(40, 62, 48, 80, 58, 70);
            wave.cubicTo(64, 64, 68, 66, 72, 68);
            p.drawPath(wave);
        }
        break;
    case Face::Sleepy:
        arc(p, QRectF(27, 36, 18, 12), 180, 180);
        arc(p, QRectF(55, 36, 18, 12), 180, 180);
        p.setPen(inkPen(4));
        p.setBrush(QColor(130, 30, 30));
        p.drawEllipse(QRectF(44, 62, 14, 14));
        p.setPen(QPen(QColor(40, 60, 160), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(70, 8), QPointF(86, 8), QPointF(70, 24), QPointF(86, 24)}));
        break;
    case Face::Blush:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 110, 110, 170));
        p.drawEllipse(QRectF(16, 50, 20, 12));
        p.drawEllipse(QRectF(64, 50, 20, 12));
        arc(p, QRectF(27, 36, 18, 12), 0, 180);
        arc(p, QRectF(55, 36, 18, 12), 0, 180);
        arc(p, QRectF(36, 52, 28, 24), 200, 140);
        break;
    case Face::Devil:
        p.setPen(inkPen(6));
        p.drawLine(QPointF(26, 30), QPointF(44, 38));
        p.drawLine(QPointF(74, 30), QPointF(56, 38));
        dotEyes(p, 40, 12);
        arc(p, QRectF(24, 34, 52, 44), 200, 140);
        break;
    case Face::Angel:
        p.setPen(QPen(QColor(255, 210, 0), 5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(24, 0, 52, 14));
        dotEyes(p);
        smileMouth(p);
        break;
    case Face::Sick:
        p.setPen(inkPen(4));
        p.drawLine(QPointF(30, 36), QPointF(42, 48));
        p.drawLine(QPointF(42, 36), QPointF(30, 48));
        p.drawLine(QPointF(58, 36), QPointF(70, 48));
        p.drawLine(QPointF(70, 36), QPointF(58, 48));
        arc(p, QRectF(30, 62, 40, 26), 20, 140);
        break;
    case Face::Love:
        heart(p, QPointF(36, 42), 9, QColor(230, 30, 60));
        heart(p, QPointF(64, 42), 9, QColor(230, 30, 60));
        smileMouth(p);
        break;
    }
}

} // namespace

QImage Smilies::image(int index, int size, qreal dpr)
{
    if (index < 0 || index >= kCount)
        index = 0;
    const int pixels = std::max(1, static_cast<int>(std::lround(size * dpr)));
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(pixels / 100.0, pixels / 100.0);
        drawFace(p, static_cast<Face>(index));
    }
    image.setDevicePixelRatio(dpr);
    return image;
}

QPixmap Smilies::pixmap(int index, int size, qreal dpr)
{
    return QPixmap::fromImage(image(index, size, dpr));
}

QString Smilies::name(int index)
{
    if (index < 0 || index >= kCount)
        index = 0;
    return QString::fromLatin1(kNames[static_cast<std::size_t>(index)]);
}

} // namespace glypharo
