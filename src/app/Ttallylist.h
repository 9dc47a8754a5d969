#pragma once

#include "client/ClientObserver.h"
#include "tally/TallyModel.h"

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <array>

namespace glypharo {

// The word tally window: the own record, the followed opponents and the
// players of the current game. The tally file is read when the window is
// created and written when it is destroyed.
class Ttallylist : public QDialog, public TallySink {
    Q_OBJECT
public:
    explicit Ttallylist(const QString& folder, QWidget* parent = nullptr);
    ~Ttallylist() override;

    TallyModel model;

    QListWidget listbox_tally;
    QListWidget checklist;
    std::array<QLabel*, 4> mylabel{};
    std::array<QLabel*, 8> label{};
    QLabel label_hisname;
    QLabel label_hisnametop;
    QPushButton button_reset;
    QPushButton button_done;

    // TallySink, for the round display.
    int bestWordThreshold() override;
    void addword(const std::string& word, int points, int column) override;
    void addgame(const std::string& winner) override;

    // "View Tally": the current players first, then the window.
    void showWithPlayers(const std::vector<std::string>& players);
    void render();

private:
    void fillList(QListWidget& list, const std::vector<TallyEntry>& entries);
    bool rendering_ = false;
};

} // namespace glypharo
