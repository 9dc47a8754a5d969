#include "app/LobbyPicture.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace glypharo {

namespace {

void drawTile(QPainter& p, const QRectF& r, QChar letter)
{
    QLinearGradient face(r.topLeft(), r.bottomRight());
    face.setColorAt(0, QColor(0xfb, 0xf1, 0xd6));
    face.setColorAt(1, QColor(0xe6, 0xd2, 0xa0));
    p.setPen(QPen(QColor(0x8a, 0x6d, 0x3b), 1.5));
    p.setBrush(face);
    p.drawRoundedRect(r, 5, 5);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(static_cast<int>(r.height() * 0.6));
    p.setFont(f);
    p.setPen(QColor(0x3b, 0x2a, 0x12));
    p.drawText(r, Qt::AlignCenter, QString(letter));
}

void drawSign(QPainter& p, const QRectF& board, const QPointF& nail)
{
    p.setPen(QPen(QColor(0x55, 0x55, 0x55), 2));
    p.drawLine(nail, board.topLeft() + QPointF(board.width() * 0.15, 0));
    p.drawLine(nail, board.topRight() - QPointF(board.width() * 0.15, 0));
    p.setBrush(QColor(0x44, 0x44, 0x44));
    p.drawEllipse(nail, 4, 4);

    QLinearGradient wood(board.topLeft(), board.bottomLeft());
    wood.setColorAt(0, QColor(0x9c, 0x2b, 0x23));
    wood.setColorAt(1, QColor(0x6e, 0x17, 0x12));
    p.setPen(QPen(QColor(0x4a, 0x0e, 0x0a), 2));
    p.setBrush(wood);
    p.drawRoundedRect(board, 8, 8);
    p.setPen(QPen(QColor(0xf4, 0xe3, 0xc1), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(board.adjusted(5, 5, -5, -5), 5, 5);

    QFont f = p.font();
    f.setBold(true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    f.setPixelSize(static_cast<int>(board.height() * 0.38));
    p.setFont(f);
    p.setPen(QColor(0xfb, 0xf1, 0xd6));
    p.drawText(board, Qt::AlignCenter, QStringLiteral("IS CLOSED"));
}

} // namespace

QPixmap lobbyClosedPicture(QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const QString word = QStringLiteral("LOBBY");
    const qreal w = size.width();
    const qreal h = size.height();
    const qreal gap = w * 0.02;
    const qreal tile = (w * 0.9 - gap * (word.size() - 1)) / word.size();
    qreal x = (w - (tile * word.size() + gap * (word.size() - 1))) / 2;
    const qreal top = h * 0.08;
    for (int i = 0; i < word.size(); ++i) {
        // A slight tumble, as if the tiles had been left lying there.
        p.save();
        const QRectF r(x, top, tile, tile);
        p.translate(r.center());
        p.rotate((i % 2 == 0 ? -1 : 1) * (3 + i));
        p.translate(-r.center());
        drawTile(p, r, word.at(i));
        p.restore();
        x += tile + gap;
    }

    const QRectF board(w * 0.06, h * 0.52, w * 0.88, h * 0.36);
    drawSign(p, board, QPointF(w / 2, top + tile + h * 0.07));
    return pixmap;
}

} // namespace glypharo
