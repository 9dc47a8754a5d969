#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <array>

namespace glypharo {

struct ClientState;
class ImageButton;
class ChatPanel;
class TileView;
class BoardPicture;

// panel_board: the 764 x 526 board of the main window. It shows the client
// state as it is and reports clicks; it changes nothing by itself.
class BoardPanel : public QWidget {
    Q_OBJECT
public:
    explicit BoardPanel(QWidget* parent = nullptr);

    // word_<row><col> at [row-1][col-1], tile_<n> at [n-1].
    std::array<std::array<TileView*, 10>, 6> word{};
    std::array<TileView*, 9> tile{};
    std::array<QLabel*, 6> label_playername{};
    std::array<QLabel*, 6> label_score{};
    std::array<QLabel*, 6> label_bonus{};
    std::array<QLabel*, 6> image_eyes{};
    QLabel image_Turn;
    QLabel label_roundnum;
    QLabel label_playtoscore;
    QLabel label_timeperturn;
    QLabel label_status;
    QLabel label_timer;
    QLabel image_timer;
    QLabel image_logo;
    ImageButton* button_pass = nullptr;
    ImageButton* button_clear = nullptr;
    ImageButton* button_submit = nullptr;
    ImageButton* button_start = nullptr;
    QWidget panel_winner;
    QLabel label_winner1;
    QLabel label_winner2;
    QWidget panel_help;
    QPushButton button_done;
    ChatPanel* chat = nullptr;
    BoardPicture* Image4 = nullptr;

    void render(const ClientState& s);
    void showQuickInstructions();
    // Text width of a seat label, for placing the score and bonus labels.
    int labelWidth(const std::string& text, bool bold) const;

Q_SIGNALS:
    void slotClicked(int row, int col, Qt::MouseButton button);
    void tileClicked(int n);
    void boardRightClicked();
    void passClicked();
    void clearClicked();
    void submitClicked();
    void startClicked();
    void seatMenuRequested(int seat, QPoint globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildBoard();
    void buildLabels();
    void buildPanels();
    int timerWidth_ = -1;
};

} // namespace glypharo
