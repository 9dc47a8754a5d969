#pragma once

#include "app/UpDown.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace glypharo {

// The host player's game options: the score to play to and the time per
// turn. "Start" hands both texts to the main window, which sends the start
// message and saves the settings.
class Tgamestart : public QDialog {
    Q_OBJECT
public:
    explicit Tgamestart(QWidget* parent = nullptr);

    QLineEdit edit_playtoscore;
    QLineEdit edit_creationtime;
    UpDown UpDown1;
    UpDown UpDown2;
    QPushButton button_start;

    // Shows the dialog centred on `over`.
    void showCentredOn(QWidget* over);
    void button_startClick();

Q_SIGNALS:
    void startRequested(const QString& playtoscore, const QString& creationtime);

private:
    QLabel heading_;
};

} // namespace glypharo
