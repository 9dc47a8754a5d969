#pragma once

#include <QWidget>

namespace glypharo {

// A word slot or rack tile: shows one tile face (or nothing) and reports
// clicks with their button. The hint is the widget's tooltip.
class FaceView : public QWidget {
    Q_OBJECT
public:
    explicit FaceView(QWidget* parent = nullptr);
    void setFace(int face); // -1 for no picture
    int face() const { return face_; }
    // An empty slot that takes no letter this round (a finished row, or a
    // row not in play) is drawn shaded.
    void setClosed(bool closed);

Q_SIGNALS:
    void clicked(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int face_ = -1;
    bool closed_ = false;
};

} // namespace glypharo
