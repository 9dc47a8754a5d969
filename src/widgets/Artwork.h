#pragma once

#include <QColor>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

namespace glypharo {

// The game's pictures, drawn in code. Every function returns a pixmap of the
// given logical size that carries `dpr` as its device pixel ratio (so it holds
// size × dpr device pixels) and draws straight onto a QPainter at any ratio.
// Results are kept in QPixmapCache; call only from the GUI thread.
class Artwork {
public:
    enum class ButtonKind { Pass, Clear, Submit, Start };
    enum class ButtonState { Normal, Hover, Pressed, Disabled };

    // Tile faces: 0 the blank tile, 1..26 the letters A..Z, 27 a dark square.
    static constexpr int kBlankFace = 0;
    static constexpr int kDarkFace = 27;
    static constexpr int kFaceCount = 28;

    static constexpr QSize kFaceSize{39, 39};
    static constexpr QSize kSlotSize{38, 39};
    static constexpr QSize kBoardSize{430, 288};
    // Where the board picture sits in the board panel so that its wells lie
    // under the word slots.
    static constexpr QPoint kBoardOrigin{16, 53};
    static constexpr QSize kTurnMarkerSize{42, 25};
    static constexpr QSize kTurnButtonSize{129, 27};
    static constexpr QSize kStartButtonSize{160, 34};
    static constexpr QSize kEyesSize{20, 12};
    static constexpr QSize kBackgroundTileSize{64, 64};
    static constexpr QSize kLogoSize{200, 40};
    static constexpr int kTimerBarHeight = 10;
    static constexpr QSize kWinnerBannerSize{430, 96};

    // A tile face; any face outside 0..27 gives a null pixmap. `size` lets a
    // view draw the face at its own size (a word slot is 38 wide).
    static QPixmap letterFace(int face, qreal dpr, QSize size = kFaceSize);

    // The point value printed on a face (0 for the blank and dark faces).
    static int printedValue(int face);

    // The surface under the word slots: a felt board in a wooden frame with
    // one engraved well per slot.
    static QPixmap boardPicture(qreal dpr);

    // Word slot `word_<row><column>` (rows 1..6, columns 1..10) in board
    // panel coordinates; row 6 lies above row 1. Invalid cells give a null
    // rect.
    static QRect slotRect(int row, int column);

    // The well of a slot in the board picture's own coordinates.
    static QRect boardWell(int row, int column);

    // A right-pointing arrow for the current player's name.
    static QPixmap turnMarker(qreal dpr);

    // Image buttons. The first form uses the kind's own caption and size.
    static QPixmap button(ButtonKind kind, ButtonState state, qreal dpr);
    static QPixmap button(const QString& text, ButtonKind kind, ButtonState state, QSize size, qreal dpr);
    static QString buttonText(ButtonKind kind);
    static QSize buttonSize(ButtonKind kind);

    // A pair of eyes for a seat that is only watching.
    static QPixmap eyes(qreal dpr);

    // A seamless tile for window backgrounds.
    static QPixmap backgroundTile(qreal dpr);

    // The word GLYPHARO laid out in small tiles.
    static QPixmap logo(qreal dpr);

    // The countdown bar, `width` logical pixels long (a null pixmap when not
    // positive). `remaining` (0..1) picks its colour from green over amber to
    // red.
    static QPixmap timerBar(int width, qreal dpr, qreal remaining = 1.0);
    static QColor timerColour(qreal remaining);

    // The plaque behind the winner's title.
    static QPixmap winnerBanner(qreal dpr, QSize size = kWinnerBannerSize);

    // The same parchment without ornaments, for panels such as the quick
    // instructions.
    static QPixmap plaque(QSize size, qreal dpr);
};

} // namespace glypharo
