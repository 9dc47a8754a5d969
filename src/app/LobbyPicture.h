#pragma once

#include <QPixmap>
#include <QSize>

namespace glypharo {

// The download window's picture: the word LOBBY in letter tiles above a
// hanging sign that reads "IS CLOSED".
QPixmap lobbyClosedPicture(QSize size);

} // namespace glypharo
