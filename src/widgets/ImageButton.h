#pragma once

#include "widgets/Artwork.h"

#include <QAbstractButton>

namespace glypharo {

// A push button drawn with Artwork's button pictures: normal, hover, pressed
// and disabled looks, and a focus ring when it has keyboard focus. Its caption
// is the button text (the kind's own caption unless changed), drawn at the
// widget's size and device pixel ratio.
class ImageButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit ImageButton(Artwork::ButtonKind kind, QWidget* parent = nullptr);

    Artwork::ButtonKind kind() const { return kind_; }
    // The look the button would be painted with now.
    Artwork::ButtonState visualState() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    Artwork::ButtonKind kind_;
};

} // namespace glypharo
