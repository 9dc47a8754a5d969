#include "widgets/Artwork.h"

#include "widgets/ArtPainter.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>

namespace glypharo {

namespace {

const QColor kInk(0x3b, 0x27, 0x16);
const QColor kValueInk(0x74, 0x55, 0x33);

// Top of each word row in the board panel; row 6 lies above row 1.
constexpr std::array<int, 6> kRowTop{112, 156, 200, 244, 287, 68};
constexpr int kFirstColumnLeft = 32;
constexpr int kColumnPitch = 40;

// What the faces print; the scoring itself lives with the game rules.
constexpr std::array<int, 26> kPrintedValues{
    1, 3, 3, 3, 1, 5, 3, 3, 1, 7, 7, 1, 3, 1, 1, 3, 10, 1, 1, 1, 1, 5, 5, 7, 5, 10};

quint32 noise(quint32 x)
{
    x = (x ^ 61U) ^ (x >> 16);
    x *= 9U;
    x ^= x >> 4;
    x *= 0x27d4eb2dU;
    x ^= x >> 15;
    return x;
}

void drawFace(QPainter& p, int face, QSizeF size)
{
    const QRectF area(0, 0, size.width(), size.height());
    const qreal radius = qMin(size.width(), size.height()) * 0.12;
    ArtPainter::tile(p, area, radius, face, face == Artwork::kDarkFace);
    if (face < 1 || face > 26) {
        return;
    }
    const qreal h = size.height();
    const QString letter(QChar(u'A' + (face - 1)));
    const QFont big = ArtPainter::font(h * 0.54);
    const QPointF centre(size.width() * 0.43, h * 0.44);
    ArtPainter::centredText(p, letter, big, centre + QPointF(0, 0.8), QColor(255, 255, 255, 170));
    ArtPainter::centredText(p, letter, big, centre, kInk);

    p.setFont(ArtPainter::font(h * 0.22));
    p.setPen(kValueInk);
    const QRectF valueBox = area.adjusted(0, 0, -4.2, -3.6);
    p.drawText(valueBox, Qt::AlignRight | Qt::AlignBottom, QString::number(Artwork::printedValue(face)));
}

void drawFrame(QPainter& p, const QRectF& outer)
{
    QLinearGradient wood(outer.topLeft(), outer.bottomLeft());
    wood.setColorAt(0.0, QColor(0x86, 0x58, 0x33));
    wood.setColorAt(0.5, QColor(0x63, 0x3e, 0x22));
    wood.setColorAt(1.0, QColor(0x4a, 0x2c, 0x17));
    p.setPen(QPen(QColor(0x2b, 0x18, 0x0b), 1.0));
    p.setBrush(wood);
    p.drawRoundedRect(outer, 10, 10);

    QPainterPath ring;
    ring.addRoundedRect(outer, 10, 10);
    p.save();
    p.setClipPath(ring);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 14; ++i) {
        const qreal y = outer.top() + 3 + i * 21.0 + (noise(i) % 7);
        QPainterPath grain;
        grain.moveTo(outer.left(), y);
        grain.cubicTo(outer.width() * 0.3, y - 4, outer.width() * 0.7, y + 5, outer.right(), y - 1);
        p.setPen(QPen(QColor(0x2b, 0x16, 0x06, 40), 1.2));
        p.drawPath(grain);
    }
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 230, 190, 60), 1.0));
    p.drawRoundedRect(outer.adjusted(1, 1, -1, -1), 9, 9);
}

void drawFelt(QPainter& p, const QRectF& felt)
{
    QRadialGradient cloth(felt.center() - QPointF(0, 30), felt.width() * 0.65);
    cloth.setColorAt(0.0, QColor(0x2d, 0x7c, 0x5d));
    cloth.setColorAt(0.6, QColor(0x21, 0x63, 0x4a));
    cloth.setColorAt(1.0, QColor(0x17, 0x4a, 0x37));
    p.setPen(QPen(QColor(0x1c, 0x0f, 0x05), 1.0));
    p.setBrush(cloth);
    p.drawRoundedRect(felt, 6, 6);

    QPainterPath clip;
    clip.addRoundedRect(felt, 6, 6);
    p.save();
    p.setClipPath(clip);
    p.setPen(Qt::NoPen);
    for (quint32 i = 0; i < 2600; ++i) {
        const quint32 n = noise(i * 3U + 17U);
        const qreal x = felt.left() + (n % 4150U) / 10.0;
        const qreal y = felt.top() + ((n / 4150U) % 2730U) / 10.0;
        p.setBrush((n & 1U) ? QColor(255, 255, 255, 10) : QColor(0, 0, 0, 16));
        p.drawRect(QRectF(x, y, 0.9, 0.9));
    }
    // The frame's lip throws a shadow on the cloth.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 80), 3.0));
    p.drawRoundedRect(felt.translated(1.2, 1.6), 6, 6);
    p.restore();
}

} // namespace

int Artwork::printedValue(int face)
{
    if (face < 1 || face > 26) {
        return 0;
    }
    return kPrintedValues[static_cast<std::size_t>(face - 1)];
}

QPixmap Artwork::letterFace(int face, qreal dpr, QSize size)
{
    if (face < 0 || face >= kFaceCount || size.isEmpty()) {
        return {};
    }
    return ArtPainter::cached(QStringLiteral("face%1").arg(face), size, dpr,
        [face, size](QPainter& p) { drawFace(p, face, size); });
}

QRect Artwork::slotRect(int row, int column)
{
    if (row < 1 || row > 6 || column < 1 || column > 10) {
        return {};
    }
    const int left = kFirstColumnLeft + kColumnPitch * (column - 1);
    return {QPoint(left, kRowTop[static_cast<std::size_t>(row - 1)]), kSlotSize};
}

QRect Artwork::boardWell(int row, int column)
{
    const QRect slot = slotRect(row, column);
    return slot.isNull() ? QRect() : slot.translated(-kBoardOrigin);
}

QPixmap Artwork::boardPicture(qreal dpr)
{
    return ArtPainter::cached(QStringLiteral("board"), kBoardSize, dpr, [](QPainter& p) {
        drawFrame(p, QRectF(0.5, 0.5, kBoardSize.width() - 1.0, kBoardSize.height() - 1.0));
        drawFelt(p, QRectF(7.5, 7.5, kBoardSize.width() - 15.0, kBoardSize.height() - 15.0));
        for (int row = 1; row <= 6; ++row) {
            for (int column = 1; column <= 10; ++column) {
                const QRectF well = QRectF(boardWell(row, column)).adjusted(1, 1, -1, -1);
                ArtPainter::well(p, well, 4, column == 1);
            }
        }
    });
}

QPixmap Artwork::turnMarker(qreal dpr)
{
    return ArtPainter::cached(QStringLiteral("turn"), kTurnMarkerSize, dpr, [](QPainter& p) {
        QPainterPath arrow;
        // The picture sits 30 px left of the name and overlaps it, so the
        // arrow keeps to the left part and its tip stops short of the text.
        arrow.moveTo(3.5, 8.5);
        arrow.lineTo(14, 8.5);
        arrow.lineTo(14, 2.5);
        arrow.lineTo(28, 12.5);
        arrow.lineTo(14, 22.5);
        arrow.lineTo(14, 16.5);
        arrow.lineTo(3.5, 16.5);
        arrow.quadTo(1.5, 12.5, 3.5, 8.5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 70));
        p.drawPath(arrow.translated(1.2, 1.6));

        QLinearGradient gold(0, 2.5, 0, 22.5);
        gold.setColorAt(0.0, QColor(0xff, 0xe6, 0x85));
        gold.setColorAt(0.5, QColor(0xf6, 0xbb, 0x33));
        gold.setColorAt(1.0, QColor(0xd2, 0x82, 0x12));
        QPen outline(QColor(0x74, 0x42, 0x08), 1.1);
        outline.setJoinStyle(Qt::RoundJoin);
        p.setPen(outline);
        p.setBrush(gold);
        p.drawPath(arrow);

        p.save();
        p.setClipPath(arrow);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 70));
        p.drawRect(QRectF(0, 0, 42, 11.5));
        p.restore();
    });
}

QPixmap Artwork::eyes(qreal dpr)
{
    return ArtPainter::cached(QStringLiteral("eyes"), kEyesSize, dpr, [](QPainter& p) {
        for (int i = 0; i < 2; ++i) {
            const QRectF eye(0.8 + i * 9.6, 0.7, 8.6, 10.6);
            QRadialGradient white(eye.center() - QPointF(1.2, 1.5), 6.5);
            white.setColorAt(0.0, Qt::white);
            white.setColorAt(1.0, QColor(0xd6, 0xd2, 0xca));
            p.setPen(QPen(QColor(0x2a, 0x26, 0x22), 1.0));
            p.setBrush(white);
            p.drawEllipse(eye);
            const QPointF pupil = eye.center() + QPointF(1.5, 0.9);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0x1c, 0x26, 0x3e));
            p.drawEllipse(pupil, 2.4, 2.6);
            p.setBrush(QColor(255, 255, 255, 220));
            p.drawEllipse(pupil - QPointF(0.8, 1.0), 0.75, 0.75);
        }
    });
}

QPixmap Artwork::backgroundTile(qreal dpr)
{
    return ArtPainter::cached(QStringLiteral("background"), kBackgroundTileSize, dpr, [](QPainter& p) {
        const int side = kBackgroundTileSize.width();
        p.fillRect(QRectF(0, 0, side, side), QColor(0xef, 0xe6, 0xd1));
        p.setPen(Qt::NoPen);
        // Linen-like speckle; every pixel stands alone, so the tile wraps.
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                const quint32 n = noise(static_cast<quint32>(y * side + x) + 991U);
                const int shade = static_cast<int>(n % 9U);
                if (shade < 3) {
                    p.fillRect(QRectF(x, y, 1, 1), QColor(0x80, 0x60, 0x30, 6 + shade * 3));
                } else if (shade > 7) {
                    p.fillRect(QRectF(x, y, 1, 1), QColor(255, 255, 255, 30));
                }
            }
        }
        // A faint diamond lattice; its period divides the tile.
        p.setPen(QPen(QColor(0x9a, 0x78, 0x40, 22), 1.0));
        for (int k = -side; k <= 2 * side; k += side / 2) {
            p.drawLine(QPointF(k, 0), QPointF(k + side, side));
            p.drawLine(QPointF(k + side, 0), QPointF(k, side));
        }
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x9a, 0x78, 0x40, 34));
        for (int k = 0; k <= side; k += side / 2) {
            for (int j = 0; j <= side; j += side / 2) {
                p.drawEllipse(QPointF(k, j + side / 4.0), 1.3, 1.3);
            }
        }
    });
}

QPixmap Artwork::logo(qreal dpr)
{
    return ArtPainter::cached(QStringLiteral("logo"), kLogoSize, dpr, [](QPainter& p) {
        const QString word = QStringLiteral("GLYPHARO");
        constexpr std::array<qreal, 8> tilt{-5, 3, -2, 4, -4, 2, -3, 5};
        const std::array<QColor, 4> inks{QColor(0xa8, 0x2f, 0x22), QColor(0x2a, 0x6e, 0x36),
            QColor(0x2c, 0x4f, 0x82), QColor(0xa8, 0x62, 0x0c)};
        const QFont font = ArtPainter::font(16);
        for (int i = 0; i < word.size(); ++i) {
            const auto n = static_cast<std::size_t>(i);
            p.save();
            p.translate(13.5 + i * 24.6, 20 + ((i % 2) ? 2.0 : -2.0));
            p.rotate(tilt[n]);
            ArtPainter::tile(p, QRectF(-12, -12, 24.5, 25), 3.5, i + 40);
            ArtPainter::centredText(p, word.mid(i, 1), font, QPointF(-0.7, -0.6), inks[n % inks.size()]);
            p.restore();
        }
    });
}

QColor Artwork::timerColour(qreal remaining)
{
    // Through the hues rather than straight across RGB, which would pass
    // through a muddy olive on the way from green to amber.
    remaining = qBound(0.0, remaining, 1.0);
    const qreal hue
        = remaining >= 0.5 ? 36 + (125 - 36) * (remaining - 0.5) * 2 : 8 + (36 - 8) * remaining * 2;
    const qreal saturation = 0.74;
    const qreal value = 0.80;
    return QColor::fromHsvF(
        static_cast<float>(hue / 360.0), static_cast<float>(saturation), static_cast<float>(value));
}

QPixmap Artwork::timerBar(int width, qreal dpr, qreal remaining)
{
    if (width <= 0) {
        return {};
    }
    const QColor base = timerColour(remaining);
    const QString key = QStringLiteral("timer%1").arg(base.rgba());
    const QSize size(width, kTimerBarHeight);
    return ArtPainter::cached(key, size, dpr, [base, width](QPainter& p) {
        const QRectF bar(0.5, 0.5, width - 1.0, kTimerBarHeight - 1.0);
        const qreal radius = qMin(bar.width(), bar.height()) / 2;
        QLinearGradient fill(bar.topLeft(), bar.bottomLeft());
        fill.setColorAt(0.0, base.lighter(135));
        fill.setColorAt(0.5, base);
        fill.setColorAt(1.0, base.darker(120));
        p.setPen(QPen(base.darker(170), 1.0));
        p.setBrush(fill);
        p.drawRoundedRect(bar, radius, radius);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 80));
        const QRectF gloss = bar.adjusted(radius * 0.6, 1.2, -radius * 0.6, -bar.height() * 0.55);
        p.drawRoundedRect(gloss, gloss.height() / 2, gloss.height() / 2);
    });
}

} // namespace glypharo
