#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>

namespace glypharo {

// The smiley picture list: eighteen faces drawn in code, picture k standing
// for the chat code ":)#" followed by 10 + k.
class Smilies {
public:
    static constexpr int kCount = 18;

    // Picture `index` (0..17; anything else gives 0) of `size` logical pixels,
    // rendered at `dpr` device pixels per logical pixel.
    static QImage image(int index, int size, qreal dpr = 1.0);
    static QPixmap pixmap(int index, int size, qreal dpr = 1.0);
    // What the face shows, for menus and tooltips ("Smile", "Wink", ...).
    static QString name(int index);
};

} // namespace glypharo
