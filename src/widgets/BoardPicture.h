#pragma once

#include <QWidget>

namespace glypharo {

// The board surface under the word slots (`Image4`): place it at
// Artwork::kBoardOrigin in the board panel, below the slots. It reports
// mouse buttons released over it; it holds no game state.
class BoardPicture : public QWidget {
    Q_OBJECT
public:
    explicit BoardPicture(QWidget* parent = nullptr);

    QSize sizeHint() const override;

signals:
    // A mouse button was pressed and released over the picture.
    void clicked(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Qt::MouseButtons pressed_;
};

} // namespace glypharo
