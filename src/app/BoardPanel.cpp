#include "app/BoardPanel.h"

#include "app/Latin1.h"
#include "client/ClientState.h"
#include "widgets/Artwork.h"
#include "widgets/BoardPicture.h"
#include "widgets/ChatPanel.h"
#include "widgets/ImageButton.h"
#include "widgets/TileView.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace glypharo {

namespace {
constexpr int kTimerLeft = 22;
constexpr int kTimerTop = 27;
constexpr int kButtonsTop = 347;
constexpr QColor kInk(40, 28, 16);

QLabel* label(QWidget* parent, const char* name, int pointSize, bool bold)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    QFont f = l->font();
    f.setPointSize(pointSize);
    f.setBold(bold);
    l->setFont(f);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, kInk);
    l->setPalette(pal);
    return l;
}
} // namespace

BoardPanel::BoardPanel(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("panel_board"));
    buildBoard();
    buildLabels();
    buildPanels();
}

void BoardPanel::buildBoard()
{
    // The board picture lies under the slots; a right click on it submits,
    // a left click does nothing.
    Image4 = new BoardPicture(this);
    Image4->setObjectName(QStringLiteral("Image4"));
    connect(Image4, &BoardPicture::clicked, this, [this](Qt::MouseButton b) {
        if (b == Qt::RightButton)
            Q_EMIT boardRightClicked();
    });
    for (int r = 1; r <= 6; ++r) {
        for (int c = 1; c <= 10; ++c) {
            auto* w = new TileView(this);
            QString hint = QString::number(r) + QString::number(c);
            w->setObjectName(QStringLiteral("word_") + hint);
            w->setToolTip(hint);
            w->setGeometry(Artwork::slotRect(r, c));
            connect(w, &TileView::clicked, this,
                [this, r, c](Qt::MouseButton b) { Q_EMIT slotClicked(r, c, b); });
            word[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c - 1)] = w;
        }
    }
    for (int n = 1; n <= 9; ++n) {
        auto* t = new TileView(this);
        t->setObjectName(QStringLiteral("tile_%1").arg(n));
        t->setToolTip(QString::number(n));
        t->setGeometry(kTileX[static_cast<std::size_t>(n - 1)], kTileResting, 39, 39);
        t->setCursor(Qt::PointingHandCursor);
        connect(t, &TileView::clicked, this, [this, n](Qt::MouseButton b) {
            if (b == Qt::LeftButton)
                Q_EMIT tileClicked(n);
        });
        tile[static_cast<std::size_t>(n - 1)] = t;
    }
    button_pass = new ImageButton(Artwork::ButtonKind::Pass, this);
    button_clear = new ImageButton(Artwork::ButtonKind::Clear, this);
    button_submit = new ImageButton(Artwork::ButtonKind::Submit, this);
    button_start = new ImageButton(Artwork::ButtonKind::Start, this);
    button_pass->setObjectName(QStringLiteral("button_pass"));
    button_clear->setObjectName(QStringLiteral("button_clear"));
    button_submit->setObjectName(QStringLiteral("button_submit"));
    button_start->setObjectName(QStringLiteral("button_start"));
    button_pass->move(19, kButtonsTop);
    button_clear->move(170, kButtonsTop);
    button_submit->move(318, kButtonsTop);
    button_start->move(16 + (430 - Artwork::kStartButtonSize.width()) / 2, 418);
    for (auto* b : {button_pass, button_clear, button_submit, button_start})
        b->hide();
    connect(button_pass, &QAbstractButton::clicked, this, &BoardPanel::passClicked);
    connect(button_clear, &QAbstractButton::clicked, this, &BoardPanel::clearClicked);
    connect(button_submit, &QAbstractButton::clicked, this, &BoardPanel::submitClicked);
    connect(button_start, &QAbstractButton::clicked, this, &BoardPanel::startClicked);
}

void BoardPanel::buildLabels()
{
    for (int n = 1; n <= 6; ++n) {
        auto i = static_cast<std::size_t>(n - 1);
        int top = kNameTop[i];
        label_playername[i] = label(this, ("label_playername" + std::to_string(n)).c_str(), 10, true);
        label_playername[i]->move(kNameLeft, top);
        label_playername[i]->setText(QString::fromLatin1(kWaiting));
        label_playername[i]->setContextMenuPolicy(Qt::DefaultContextMenu);
        label_playername[i]->installEventFilter(this);
        label_playername[i]->setProperty("seat", n);
        label_score[i] = label(this, ("label_score" + std::to_string(n)).c_str(), 10, true);
        label_score[i]->move(kNameLeft + 80, top);
        label_score[i]->setStyleSheet(QStringLiteral("color: #1d4f91;"));
        label_score[i]->hide();
        label_bonus[i] = label(this, ("label_bonus" + std::to_string(n)).c_str(), 10, true);
        label_bonus[i]->setStyleSheet(QStringLiteral("color: #2f7d32;"));
        label_bonus[i]->move(kNameLeft + 120, top);
        image_eyes[i] = label(this, ("image_eyes" + std::to_string(n)).c_str(), 8, false);
        image_eyes[i]->setPixmap(Artwork::eyes(devicePixelRatioF()));
        image_eyes[i]->setToolTip(QStringLiteral("Just watching"));
        // Right of the name column, clear of the turn marker.
        image_eyes[i]->move(736, top + 4);
        image_eyes[i]->hide();
    }
    image_Turn.setParent(this);
    image_Turn.setObjectName(QStringLiteral("image_Turn"));
    image_Turn.setPixmap(Artwork::turnMarker(devicePixelRatioF()));
    image_Turn.setGeometry(kTurnMarkerLeft, 0, 42, 25);
    image_Turn.hide();

    image_logo.setParent(this);
    image_logo.setObjectName(QStringLiteral("image_logo"));
    image_logo.setPixmap(Artwork::logo(devicePixelRatioF()));
    image_logo.setGeometry(548, 6, Artwork::kLogoSize.width(), Artwork::kLogoSize.height());

    auto setup = [this](QLabel& l, const char* name, int size, bool bold) {
        l.setParent(this);
        l.setObjectName(QString::fromLatin1(name));
        QFont f = l.font();
        f.setPointSize(size);
        f.setBold(bold);
        l.setFont(f);
        l.setStyleSheet(QStringLiteral("color: #281c10;"));
    };
    setup(label_timer, "label_timer", 10, true);
    label_timer.setGeometry(kTimerLeft, 8, 200, 18);
    label_timer.setText(QStringLiteral("Time: 0:00"));
    image_timer.setParent(this);
    image_timer.setObjectName(QStringLiteral("image_timer"));
    image_timer.move(kTimerLeft, kTimerTop);
    setup(label_roundnum, "label_roundnum", 9, true);
    setup(label_playtoscore, "label_playtoscore", 9, true);
    setup(label_timeperturn, "label_timeperturn", 9, true);
    // The game's settings sit in one line under the status line.
    label_roundnum.setGeometry(22, 498, 110, 18);
    label_playtoscore.setGeometry(150, 498, 150, 18);
    label_playtoscore.setAlignment(Qt::AlignCenter);
    label_timeperturn.setGeometry(296, 498, 150, 18);
    label_timeperturn.setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setup(label_status, "label_status", 11, true);
    label_status.setAlignment(Qt::AlignCenter);
    label_status.setGeometry(8, 466, 452, 24);
}

void BoardPanel::buildPanels()
{
    panel_winner.setParent(this);
    panel_winner.setObjectName(QStringLiteral("panel_winner"));
    panel_winner.setGeometry(QRect(Artwork::kBoardOrigin + QPoint(0, 96), Artwork::kWinnerBannerSize));
    auto* banner = new QLabel(&panel_winner);
    banner->setPixmap(Artwork::winnerBanner(devicePixelRatioF()));
    banner->setGeometry(panel_winner.rect());
    for (QLabel* l : {&label_winner2, &label_winner1}) {
        l->setParent(&panel_winner);
        QFont f = l->font();
        f.setPointSize(18);
        f.setBold(true);
        l->setFont(f);
        l->setAlignment(Qt::AlignCenter);
    }
    label_winner1.setObjectName(QStringLiteral("label_winner1"));
    label_winner2.setObjectName(QStringLiteral("label_winner2"));
    label_winner1.setStyleSheet(QStringLiteral("color: black;"));
    label_winner2.setStyleSheet(QStringLiteral("color: #9a9a9a;"));
    // The grey copy sits one pixel up and to the right: a shadowed title.
    label_winner2.setGeometry(panel_winner.rect().translated(1, -1));
    label_winner1.setGeometry(panel_winner.rect());
    label_winner1.raise();
    panel_winner.hide();

    panel_help.setParent(this);
    panel_help.setObjectName(QStringLiteral("panel_help"));
    panel_help.setGeometry(36, 70, 392, 250);
    panel_help.setAutoFillBackground(true);
    panel_help.setStyleSheet(
        QStringLiteral("#panel_help { background: #fbf5e6; border: 2px solid #8a6a3a; border-radius: 8px; }"
                       "QLabel { color: #281c10; }"));
    auto* box = new QVBoxLayout(&panel_help);
    auto* head = new QLabel(QStringLiteral("GLYPHARO QUICK INSTRUCTIONS"));
    QFont hf = head->font();
    hf.setBold(true);
    hf.setPointSize(12);
    head->setFont(hf);
    head->setAlignment(Qt::AlignCenter);
    box->addWidget(head);
    const char* lines[] = {
        "A round starts off with a few letters, each letter will be the first letter of a word. ",
        "Players take turns creating one word from one of the letters on the board. ",
        // clang-format off
        "Words are created by clicking a letter in your hand, then clicking on an empty tile in one of the words.",
        // clang-format on
        "You may also pass  and not play a word.",
    };
    for (const char* line : lines) {
        auto* l = new QLabel(QString::fromLatin1(line));
        l->setWordWrap(true);
        box->addWidget(l);
    }
    button_done.setText(QStringLiteral("Done"));
    button_done.setObjectName(QStringLiteral("button_done"));
    box->addWidget(&button_done, 0, Qt::AlignHCenter);
    connect(&button_done, &QPushButton::clicked, &panel_help, &QWidget::hide);
    panel_help.hide();

    chat = new ChatPanel(this);
    chat->setGeometry(470, 196, 290, 326);
}

void BoardPanel::showQuickInstructions()
{
    panel_help.show();
    panel_help.raise();
}

int BoardPanel::labelWidth(const std::string& text, bool bold) const
{
    QFont f = label_playername[0]->font();
    f.setBold(bold);
    return QFontMetrics(f).horizontalAdvance(qs(text));
}

void BoardPanel::render(const ClientState& s)
{
    for (int r = 1; r <= 6; ++r)
        for (int c = 1; c <= 10; ++c) {
            TileView* w = word[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c - 1)];
            w->setFace(s.slot(r, c).face);
            w->setClosed(s.slot(r, c).tag == kLockedSlot && s.slot(r, c).face < 0);
        }
    for (int n = 1; n <= 9; ++n) {
        const auto& t = s.tile(n);
        TileView* v = tile[static_cast<std::size_t>(n - 1)];
        v->setFace(t.face);
        v->move(t.x, t.y);
        v->setVisible(t.visible && t.face >= 0);
    }
    for (int n = 1; n <= 6; ++n) {
        auto i = static_cast<std::size_t>(n - 1);
        const auto& seat = s.seat(n);
        label_playername[i]->setText(qs(seat.name));
        label_playername[i]->setToolTip(qs(seat.hint));
        label_playername[i]->adjustSize();
        label_score[i]->setText(qs(seat.score));
        label_score[i]->adjustSize();
        label_score[i]->move(seat.scoreLeft, label_score[i]->y());
        // A computer player's seat shows its score too, though nobody
        // logged in there.
        label_score[i]->setVisible(seat.scoreVisible || seat.name != kWaiting);
        label_bonus[i]->setText(qs(seat.bonus));
        label_bonus[i]->adjustSize();
        label_bonus[i]->move(seat.bonusLeft, label_bonus[i]->y());
        image_eyes[i]->setVisible(seat.eyes);
    }
    if (s.currentPlayer >= 1 && s.currentPlayer <= 6 && s.turnMarkerTop > 0) {
        image_Turn.move(kTurnMarkerLeft, s.turnMarkerTop);
        image_Turn.show();
    } else if (s.turnMarkerTop > 0) {
        image_Turn.move(kTurnMarkerLeft, s.turnMarkerTop);
    }
    label_roundnum.setText(qs(s.roundnum));
    label_playtoscore.setText(qs(s.playtoscore));
    label_timeperturn.setText(qs(s.timeperturn));
    label_status.setText(qs(s.status));
    label_timer.setText(qs(s.timerText));
    if (s.timerBarWidth != timerWidth_) {
        timerWidth_ = s.timerBarWidth;
        qreal remaining = s.timerTag > 0 && s.timerBarTag > 0
            ? qreal(s.timerBarWidth) / (s.timerBarTag * s.timerTag)
            : 1.0;
        image_timer.setPixmap(Artwork::timerBar(s.timerBarWidth, devicePixelRatioF(), remaining));
        image_timer.resize(std::max(1, s.timerBarWidth), Artwork::kTimerBarHeight);
        image_timer.setVisible(s.timerBarWidth > 0);
    }
    button_pass->setVisible(s.turnButtons);
    button_clear->setVisible(s.turnButtons);
    button_submit->setVisible(s.turnButtons);
    button_start->setVisible(s.buttonStart);
    label_winner1.setText(qs(s.winner1));
    label_winner2.setText(qs(s.winner1));
    panel_winner.setVisible(s.panelWinner);
    if (s.panelWinner)
        panel_winner.raise();
}

bool BoardPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ContextMenu) {
        int seat = watched->property("seat").toInt();
        if (seat >= 1 && seat <= 6) {
            Q_EMIT seatMenuRequested(seat, static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace glypharo
