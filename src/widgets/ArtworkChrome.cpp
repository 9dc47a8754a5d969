// Artwork's buttons and banner: the pictures that frame the game rather than
// show its pieces.
#include "widgets/ArtPainter.h"
#include "widgets/Artwork.h"

#include <QLinearGradient>
#include <QPainterPath>

namespace glypharo {

namespace {

struct Tone {
    QColor top;
    QColor bottom;
    QColor border;
    QColor text;
    QColor textShadow;
};

Tone toneFor(Artwork::ButtonKind kind, Artwork::ButtonState state)
{
    if (state == Artwork::ButtonState::Disabled) {
        return {QColor(0xcd, 0xc7, 0xbb), QColor(0xa9, 0xa2, 0x96), QColor(0x85, 0x7e, 0x72),
            QColor(0xf4, 0xf1, 0xea), QColor(0x7a, 0x73, 0x68, 90)};
    }
    Tone tone;
    switch (kind) {
    case Artwork::ButtonKind::Pass:
        tone = {QColor(0x8a, 0x9c, 0xb6), QColor(0x4f, 0x62, 0x7c), QColor(0x2f, 0x3d, 0x52), Qt::white,
            QColor(0x1a, 0x23, 0x33, 190)};
        break;
    case Artwork::ButtonKind::Clear:
        tone = {QColor(0xf6, 0xc1, 0x58), QColor(0xcc, 0x84, 0x18), QColor(0x85, 0x50, 0x06), Qt::white,
            QColor(0x5e, 0x36, 0x02, 200)};
        break;
    case Artwork::ButtonKind::Submit:
        tone = {QColor(0x6a, 0xbf, 0x72), QColor(0x2b, 0x7c, 0x3c), QColor(0x1a, 0x50, 0x25), Qt::white,
            QColor(0x10, 0x36, 0x17, 200)};
        break;
    case Artwork::ButtonKind::Start:
        tone = {QColor(0xdf, 0x64, 0x4f), QColor(0x9e, 0x27, 0x1d), QColor(0xd8, 0xa8, 0x46),
            QColor(0xff, 0xf3, 0xd6), QColor(0x45, 0x0b, 0x06, 210)};
        break;
    }
    if (state == Artwork::ButtonState::Hover) {
        tone.top = tone.top.lighter(112);
        tone.bottom = tone.bottom.lighter(115);
    } else if (state == Artwork::ButtonState::Pressed) {
        const QColor top = tone.top;
        tone.top = tone.bottom.darker(108);
        tone.bottom = top.darker(104);
    }
    return tone;
}

void drawButton(
    QPainter& p, const QString& text, Artwork::ButtonKind kind, Artwork::ButtonState state, QSizeF size)
{
    const bool pressed = state == Artwork::ButtonState::Pressed;
    const bool flat = pressed || state == Artwork::ButtonState::Disabled;
    const Tone tone = toneFor(kind, state);
    QRectF body(0.5, 0.5, size.width() - 1.0, size.height() - 2.0);
    const qreal radius = qMin(body.height() / 2, 7.0);
    p.setPen(Qt::NoPen);
    if (!flat) {
        p.setBrush(QColor(0, 0, 0, 60));
        p.drawRoundedRect(body.translated(0, 1.3), radius, radius);
    } else {
        body.translate(0, 0.8);
    }

    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    fill.setColorAt(0.0, tone.top);
    fill.setColorAt(1.0, tone.bottom);
    const qreal borderWidth = kind == Artwork::ButtonKind::Start ? 1.5 : 1.0;
    p.setPen(QPen(tone.border, borderWidth));
    p.setBrush(fill);
    p.drawRoundedRect(body, radius, radius);

    QPainterPath clip;
    clip.addRoundedRect(body, radius, radius);
    p.save();
    p.setClipPath(clip);
    if (!flat) {
        // Gloss on the upper half and a lit top rim.
        p.setPen(Qt::NoPen);
        QLinearGradient gloss(body.topLeft(), QPointF(body.left(), body.center().y()));
        gloss.setColorAt(0.0, QColor(255, 255, 255, 70));
        gloss.setColorAt(1.0, QColor(255, 255, 255, 12));
        p.setBrush(gloss);
        p.drawRect(QRectF(body.left(), body.top(), body.width(), body.height() / 2));
        p.setPen(QPen(QColor(255, 255, 255, 110), 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(
            body.adjusted(borderWidth, borderWidth, -borderWidth, -borderWidth), radius - 1, radius - 1);
    } else if (pressed) {
        p.setPen(QPen(QColor(0, 0, 0, 70), 2.0));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(body.translated(0, 1.2), radius, radius);
    }
    p.restore();

    QFont font = ArtPainter::font(qBound(10.0, body.height() * 0.52, 17.0));
    font.setHintingPreference(QFont::PreferDefaultHinting); // captions stay sharp at ratio 1
    p.setFont(font);
    const QRectF textBox = body.translated(0, pressed ? 0.5 : 0);
    if (tone.textShadow.alpha() > 0) {
        p.setPen(tone.textShadow);
        p.drawText(textBox.translated(0, 1), Qt::AlignCenter, text);
    }
    p.setPen(tone.text);
    p.drawText(textBox, Qt::AlignCenter, text);
}

void drawOrnament(QPainter& p, QPointF centre)
{
    const QPainterPath star = ArtPainter::star(centre, 11, 4.6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawPath(star.translated(0.8, 1.2));
    QLinearGradient gold(centre - QPointF(0, 11), centre + QPointF(0, 11));
    gold.setColorAt(0.0, QColor(0xff, 0xe2, 0x7a));
    gold.setColorAt(1.0, QColor(0xc8, 0x85, 0x1a));
    p.setPen(QPen(QColor(0x7a, 0x4a, 0x08), 0.9));
    p.setBrush(gold);
    p.drawPath(star);
}

void drawPlaque(QPainter& p, QSizeF size, bool ornaments)
{
    const QRectF plaque(1.5, 1.5, size.width() - 4.0, size.height() - 4.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRoundedRect(plaque.translated(1.2, 2.0), 11, 11);

    QLinearGradient parchment(plaque.topLeft(), plaque.bottomLeft());
    parchment.setColorAt(0.0, QColor(0xff, 0xf8, 0xe2));
    parchment.setColorAt(0.5, QColor(0xf7, 0xe8, 0xbe));
    parchment.setColorAt(1.0, QColor(0xec, 0xd3, 0x94));
    p.setPen(QPen(QColor(0x9a, 0x68, 0x18), 2.0));
    p.setBrush(parchment);
    p.drawRoundedRect(plaque, 11, 11);

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xcf, 0xa0, 0x45), 1.0));
    p.drawRoundedRect(plaque.adjusted(5, 5, -5, -5), 7, 7);
    p.setPen(QPen(QColor(255, 255, 255, 150), 1.0));
    p.drawRoundedRect(plaque.adjusted(6, 6, -6, -6), 6, 6);

    if (!ornaments) {
        return;
    }
    const qreal mid = plaque.center().y();
    drawOrnament(p, QPointF(plaque.left() + 28, mid));
    drawOrnament(p, QPointF(plaque.right() - 28, mid));
}

} // namespace

QString Artwork::buttonText(ButtonKind kind)
{
    switch (kind) {
    case ButtonKind::Pass:
        return QStringLiteral("Pass");
    case ButtonKind::Clear:
        return QStringLiteral("Clear");
    case ButtonKind::Submit:
        return QStringLiteral("Submit");
    case ButtonKind::Start:
        return QStringLiteral("Start Game");
    }
    return {};
}

QSize Artwork::buttonSize(ButtonKind kind)
{
    return kind == ButtonKind::Start ? kStartButtonSize : kTurnButtonSize;
}

QPixmap Artwork::button(ButtonKind kind, ButtonState state, qreal dpr)
{
    return button(buttonText(kind), kind, state, buttonSize(kind), dpr);
}

QPixmap Artwork::button(const QString& text, ButtonKind kind, ButtonState state, QSize size, qreal dpr)
{
    if (size.isEmpty()) {
        return {};
    }
    const QString key
        = QStringLiteral("button%1/%2/%3").arg(static_cast<int>(kind)).arg(static_cast<int>(state)).arg(text);
    return ArtPainter::cached(
        key, size, dpr, [&](QPainter& p) { drawButton(p, text, kind, state, QSizeF(size)); });
}

QPixmap Artwork::winnerBanner(qreal dpr, QSize size)
{
    if (size.isEmpty()) {
        return {};
    }
    return ArtPainter::cached(
        QStringLiteral("banner"), size, dpr, [size](QPainter& p) { drawPlaque(p, QSizeF(size), true); });
}

QPixmap Artwork::plaque(QSize size, qreal dpr)
{
    if (size.isEmpty()) {
        return {};
    }
    return ArtPainter::cached(
        QStringLiteral("plaque"), size, dpr, [size](QPainter& p) { drawPlaque(p, QSizeF(size), false); });
}

} // namespace glypharo
