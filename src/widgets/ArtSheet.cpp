#include "widgets/ArtSheet.h"

#include "widgets/ArtPainter.h"
#include "widgets/Artwork.h"

#include <array>

namespace glypharo {

namespace {

constexpr QSize kSheetSize{720, 836};
constexpr int kMargin = 16;

int faceOf(char c)
{
    return c == ' ' ? Artwork::kBlankFace : c - 'A' + 1;
}

// Lays `letters` into a row from column 1; a space shows the blank tile.
void layWord(QPainter& p, qreal dpr, int row, const char* letters)
{
    for (int column = 1; letters[column - 1] != '\0' && column <= 10; ++column) {
        const QRect slot = Artwork::slotRect(row, column).translated(-Artwork::kBoardOrigin);
        p.drawPixmap(
            slot.topLeft(), Artwork::letterFace(faceOf(letters[column - 1]), dpr, Artwork::kSlotSize));
    }
}

void drawSeat(QPainter& p, qreal dpr, QPoint at, const QString& name, int score, bool turn, bool watching)
{
    if (turn) {
        p.drawPixmap(at + QPoint(-30, -4), Artwork::turnMarker(dpr));
    }
    p.setFont(ArtPainter::font(13, false));
    p.setPen(Qt::black);
    const QString text = QStringLiteral("%1  %2").arg(name).arg(score);
    p.drawText(QPoint(at.x(), at.y() + 13), text);
    if (watching) {
        const int width = QFontMetrics(p.font()).horizontalAdvance(text);
        p.drawPixmap(QPoint(at.x() + 6 + width, at.y() + 3), Artwork::eyes(dpr));
    }
}

void drawFaces(QPainter& p, qreal dpr, int top)
{
    for (int face = 0; face < Artwork::kFaceCount; ++face) {
        const QPoint at(kMargin + (face % 14) * 44, top + (face / 14) * 46);
        p.drawPixmap(at, Artwork::letterFace(face, dpr));
    }
}

void drawButtons(QPainter& p, qreal dpr, int top)
{
    constexpr std::array kinds{Artwork::ButtonKind::Pass, Artwork::ButtonKind::Clear,
        Artwork::ButtonKind::Submit, Artwork::ButtonKind::Start};
    constexpr std::array states{Artwork::ButtonState::Normal, Artwork::ButtonState::Hover,
        Artwork::ButtonState::Pressed, Artwork::ButtonState::Disabled};
    for (std::size_t k = 0; k < kinds.size(); ++k) {
        for (std::size_t s = 0; s < states.size(); ++s) {
            const QPoint at(kMargin + static_cast<int>(s) * 172, top + static_cast<int>(k) * 40);
            p.drawPixmap(at, Artwork::button(kinds[k], states[s], dpr));
        }
    }
}

void drawTimers(QPainter& p, qreal dpr, int top)
{
    constexpr std::array remaining{1.0, 0.7, 0.45, 0.2};
    for (std::size_t i = 0; i < remaining.size(); ++i) {
        const int width = static_cast<int>(428 * remaining[i]);
        p.drawPixmap(
            QPoint(kMargin, top + static_cast<int>(i) * 16), Artwork::timerBar(width, dpr, remaining[i]));
    }
}

void drawBanner(QPainter& p, qreal dpr, QPoint at)
{
    p.drawPixmap(at, Artwork::winnerBanner(dpr));
    const QRect textBox(at, Artwork::kWinnerBannerSize);
    p.setFont(ArtPainter::font(22));
    const QString title = QStringLiteral("You have Won the Game!");
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawText(textBox.translated(1, -1), Qt::AlignCenter, title);
    p.setPen(Qt::black);
    p.drawText(textBox, Qt::AlignCenter, title);
}

void drawHelp(QPainter& p, qreal dpr, QRect box)
{
    p.drawPixmap(box.topLeft(), Artwork::plaque(box.size(), dpr));
    const QRect inner = box.adjusted(14, 12, -14, -40);
    p.setPen(QColor(0x4a, 0x2c, 0x10));
    p.setFont(ArtPainter::font(10));
    p.drawText(inner, Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("QUICK INSTRUCTIONS"));
    p.setFont(ArtPainter::font(9.5, false));
    p.setPen(Qt::black);
    p.drawText(inner.adjusted(0, 18, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
        QStringLiteral("Click a letter in your hand, then an empty tile after the first letter "
                       "of a word. Submit the word or pass."));
    const QSize done(76, 24);
    const QPoint at(box.center().x() - done.width() / 2, box.bottom() - 34);
    p.drawPixmap(at,
        Artwork::button(
            QStringLiteral("Done"), Artwork::ButtonKind::Submit, Artwork::ButtonState::Normal, done, dpr));
}

} // namespace

QPixmap ArtSheet::boardDemo(qreal dpr)
{
    QPixmap board = ArtPainter::canvas(Artwork::kBoardSize, dpr);
    QPainter p(&board);
    ArtPainter::prepare(p);
    p.drawPixmap(0, 0, Artwork::boardPicture(dpr));
    layWord(p, dpr, 6, "QUIZ ");
    layWord(p, dpr, 1, "GLYPHS");
    layWord(p, dpr, 2, "T");
    layWord(p, dpr, 3, "MOVE");
    layWord(p, dpr, 4, "K ");
    return board;
}

QPixmap ArtSheet::contactSheet(qreal dpr)
{
    QPixmap sheet = ArtPainter::canvas(kSheetSize, dpr);
    QPainter p(&sheet);
    ArtPainter::prepare(p);
    p.drawTiledPixmap(QRect(QPoint(0, 0), kSheetSize), Artwork::backgroundTile(dpr));

    p.drawPixmap(kMargin, kMargin, Artwork::logo(dpr));
    drawFaces(p, dpr, 72);
    p.drawPixmap(kMargin, 174, boardDemo(dpr));

    const int seats = kMargin + Artwork::kBoardSize.width() + 48;
    drawSeat(p, dpr, QPoint(seats, 190), QStringLiteral("Ada"), 42, false, false);
    drawSeat(p, dpr, QPoint(seats, 214), QStringLiteral("Klot"), 37, true, false);
    drawSeat(p, dpr, QPoint(seats, 238), QStringLiteral("Bram"), 12, false, true);

    drawHelp(p, dpr, QRect(seats - 24, 284, 236, 176));
    drawButtons(p, dpr, 476);
    drawTimers(p, dpr, 646);
    drawBanner(p, dpr, QPoint(kMargin, 720));
    return sheet;
}

} // namespace glypharo
