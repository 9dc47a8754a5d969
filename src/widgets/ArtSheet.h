#pragma once

#include <QPixmap>

namespace glypharo {

// A contact sheet of every picture of Artwork on the window background: the
// faces, a board with a few words laid, buttons in each state, the turn
// marker, eyes, logo, timer bars and the winner banner. Used for previews.
class ArtSheet {
public:
    static QPixmap contactSheet(qreal dpr);
    // The board alone with a sample round on it, at the board's own size.
    static QPixmap boardDemo(qreal dpr);
};

} // namespace glypharo
