#pragma once

#include <QWidget>

namespace glypharo {

// Shows one tile face (0 blank, 1..26 A..Z, 27 dark) or nothing. Used for the
// word slots and the rack tiles; it keeps no game state of its own. The face
// is drawn at the view's own size and device pixel ratio. A hover over a shown
// face lightens it; the tooltip is the ordinary QWidget one.
class TileView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kNoFace = -1;

    explicit TileView(QWidget* parent = nullptr);

    // Any face outside 0..27 shows nothing.
    void setFace(int face);
    int face() const { return face_; }
    // An empty slot that takes no letter this round (a finished row, or a
    // row not in play) is drawn shaded.
    void setClosed(bool closed);
    bool closed() const { return closed_; }

    QSize sizeHint() const override;

signals:
    // A mouse button was pressed and released over the view.
    void clicked(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    int face_ = kNoFace;
    Qt::MouseButtons pressed_;
    bool hovered_ = false;
    bool closed_ = false;
};

} // namespace glypharo
