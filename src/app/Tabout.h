#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace glypharo {

inline constexpr const char* kMakerSite = "https://www.vexmoor.com/";

// The about box: version, year, and the maker's site behind the link and logo.
class Tabout : public QDialog {
    Q_OBJECT
public:
    explicit Tabout(QWidget* parent = nullptr);

    QLabel version;
    QLabel label_year;
    QLabel label_url;
    QLabel image_aboutlogo;
    QPushButton button_done;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace glypharo
