#pragma once

#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>

#include <array>

namespace glypharo {

// The help window: eight topic buttons down the side, one read-only page each.
class Thelp : public QDialog {
    Q_OBJECT
public:
    explicit Thelp(QWidget* parent = nullptr);

    QLabel label_caption;
    QLabel label_year;
    QStackedWidget pages;
    std::array<QPlainTextEdit*, 8> memo{};
    std::array<QPushButton*, 8> buttons{};
    QPushButton button_about;
    QPushButton button_done;

    void showPage(int page);

Q_SIGNALS:
    void aboutRequested();
};

} // namespace glypharo
