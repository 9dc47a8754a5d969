#include "app/Tgamestart.h"

#include "app/GameSettings.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace glypharo {

Tgamestart::Tgamestart(QWidget* parent)
    : QDialog(parent)
    , UpDown1(&edit_playtoscore, kPlayToMin, kPlayToMax, 1, 100)
    , UpDown2(&edit_creationtime, kTimeMin, kTimeMax, kTimeStep, 60)
    , button_start(QStringLiteral("Start Game"))
    , heading_(QStringLiteral("Game Options"))
{
    setObjectName(QStringLiteral("Tgamestart"));
    setWindowTitle(QStringLiteral("Glypharo - Game Start"));
    heading_.setAlignment(Qt::AlignCenter);
    QFont f = heading_.font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 3);
    heading_.setFont(f);

    edit_playtoscore.setObjectName(QStringLiteral("edit_playtoscore"));
    edit_creationtime.setObjectName(QStringLiteral("edit_creationtime"));
    for (QLineEdit* e : {&edit_playtoscore, &edit_creationtime}) {
        e->setFixedWidth(56);
        e->setAlignment(Qt::AlignRight);
    }

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Play to Score:")), 0, 0);
    grid->addWidget(&edit_playtoscore, 0, 1);
    grid->addWidget(&UpDown1, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Creation Time:")), 1, 0);
    grid->addWidget(&edit_creationtime, 1, 1);
    grid->addWidget(&UpDown2, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("seconds")), 1, 3);
    grid->setColumnStretch(3, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(&button_start);
    button_start.setDefault(true);

    auto* box = new QVBoxLayout(this);
    box->addWidget(&heading_);
    box->addSpacing(6);
    box->addLayout(grid);
    box->addSpacing(8);
    box->addLayout(buttons);
    box->setSizeConstraint(QLayout::SetFixedSize);

    connect(&button_start, &QPushButton::clicked, this, &Tgamestart::button_startClick);
}

void Tgamestart::showCentredOn(QWidget* over)
{
    adjustSize();
    if (over) {
        QRect g = over->frameGeometry();
        move(g.center() - QPoint(width() / 2, height() / 2));
    }
    show();
    raise();
    activateWindow();
}

void Tgamestart::button_startClick()
{
    Q_EMIT startRequested(edit_playtoscore.text(), edit_creationtime.text());
    hide();
}

} // namespace glypharo
