#include "app/Ttallylist.h"

#include "app/Desktop.h"
#include "app/Latin1.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QVBoxLayout>

namespace glypharo {

namespace {
QLabel* valueLabel(const char* name)
{
    auto* l = new QLabel(QStringLiteral("0"));
    l->setObjectName(QString::fromLatin1(name));
    l->setMinimumWidth(40);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}
} // namespace

Ttallylist::Ttallylist(const QString& folder, QWidget* parent)
    : QDialog(parent)
    , model(folder.toStdString())
    , button_reset(QStringLiteral("Reset Tally"))
    , button_done(QStringLiteral("Done"))
{
    setObjectName(QStringLiteral("Ttallylist"));
    setWindowTitle(QString::fromLatin1(TallyModel::kCaption));
    listbox_tally.setObjectName(QStringLiteral("listbox_tally"));
    checklist.setObjectName(QStringLiteral("checklist"));

    for (std::size_t i = 0; i < mylabel.size(); ++i)
        mylabel[i] = valueLabel(("mylabel_" + std::to_string(i + 1)).c_str());
    for (std::size_t i = 0; i < label.size(); ++i)
        label[i] = valueLabel(("label_" + std::to_string(i + 1)).c_str());
    mylabel[3]->hide(); // the best word's points; shown inside mylabel_3
    label_hisname.setObjectName(QStringLiteral("label_hisname"));
    label_hisnametop.setObjectName(QStringLiteral("label_hisnametop"));
    QFont tf = label_hisnametop.font();
    tf.setBold(true);
    label_hisnametop.setFont(tf);

    auto* own = new QGroupBox(QStringLiteral("Your Total Tally"));
    auto* og = new QGridLayout(own);
    og->addWidget(new QLabel(QStringLiteral("Total Games:")), 0, 0);
    og->addWidget(mylabel[0], 0, 1);
    og->addWidget(new QLabel(QStringLiteral("Your Wins")), 1, 0);
    og->addWidget(mylabel[1], 1, 1);
    og->addWidget(new QLabel(QStringLiteral("Best Word:")), 2, 0);
    og->addWidget(mylabel[2], 2, 1);
    og->addWidget(mylabel[3], 3, 1);

    auto* his = new QGroupBox;
    auto* hg = new QGridLayout(his);
    hg->addWidget(&label_hisnametop, 0, 0, 1, 3);
    hg->addWidget(new QLabel(QStringLiteral("Total")), 1, 1);
    hg->addWidget(new QLabel(QStringLiteral("Session")), 1, 2);
    hg->addWidget(new QLabel(QStringLiteral("Number of Games")), 2, 0);
    hg->addWidget(&label_hisname, 3, 0);
    hg->addWidget(new QLabel(QStringLiteral("Your Wins:")), 4, 0);
    hg->addWidget(new QLabel(QStringLiteral("Neither Won:")), 5, 0);
    for (int row = 0; row < 4; ++row) {
        hg->addWidget(label[static_cast<std::size_t>(row)], row + 2, 1);
        hg->addWidget(label[static_cast<std::size_t>(row + 4)], row + 2, 2);
    }

    auto* lists = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Players Being Tallied")));
    left->addWidget(&listbox_tally);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("Players In Current Game")));
    right->addWidget(&checklist);
    lists->addLayout(left);
    lists->addLayout(right);

    auto* panels = new QHBoxLayout;
    panels->addWidget(own);
    panels->addWidget(his);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(&button_reset);
    buttons->addStretch();
    buttons->addWidget(&button_done);

    auto* box = new QVBoxLayout(this);
    box->addLayout(lists);
    box->addLayout(panels);
    box->addLayout(buttons);
    resize(520, 420);

    model.setConfirm([this](const std::string& q) {
        return QMessageBox::question(this, windowTitle(), qs(q), QMessageBox::Yes | QMessageBox::No)
            == QMessageBox::Yes;
    });
    model.setErrorReport([](const std::string& message) { showMessage(qs(message)); });
    model.setOnChanged([this] { render(); });

    connect(&listbox_tally, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (!rendering_)
            model.listbox_tallyClickCheck(listbox_tally.row(item), item->checkState() == Qt::Checked);
        render();
    });
    connect(&listbox_tally, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!rendering_ && row >= 0)
            model.listbox_tallyClick(row);
        render();
    });
    connect(&checklist, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (!rendering_)
            model.checklistClickCheck(checklist.row(item));
        render();
    });
    connect(&button_reset, &QPushButton::clicked, this, [this] {
        model.button_resetClick();
        render();
    });
    connect(&button_done, &QPushButton::clicked, this, &QDialog::hide);

    model.FormCreate();
    render();
}

Ttallylist::~Ttallylist()
{
    model.FormDestroy();
}

int Ttallylist::bestWordThreshold()
{
    auto t = model.bestWordThreshold();
    return t > INT32_MAX ? INT32_MAX : static_cast<int>(t);
}

void Ttallylist::addword(const std::string& word, int points, int column)
{
    model.addword(word, points, column);
    render();
}

void Ttallylist::addgame(const std::string& winner)
{
    model.addgame(winner);
    render();
}

void Ttallylist::showWithPlayers(const std::vector<std::string>& players)
{
    model.setChecklist(players);
    render();
    show();
    raise();
    activateWindow();
}

void Ttallylist::fillList(QListWidget& list, const std::vector<TallyEntry>& entries)
{
    if (list.count() != static_cast<int>(entries.size())) {
        list.clear();
        for (std::size_t i = 0; i < entries.size(); ++i) {
            auto* item = new QListWidgetItem(&list);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        }
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        QListWidgetItem* item = list.item(static_cast<int>(i));
        item->setText(qs(entries[i].name));
        item->setCheckState(entries[i].ticked ? Qt::Checked : Qt::Unchecked);
    }
}

void Ttallylist::render()
{
    if (rendering_)
        return;
    rendering_ = true;
    fillList(listbox_tally, model.listbox_tally());
    fillList(checklist, model.checklist());
    if (listbox_tally.currentRow() != model.selectedIndex())
        listbox_tally.setCurrentRow(model.selectedIndex());
    for (std::size_t i = 0; i < mylabel.size(); ++i)
        mylabel[i]->setText(qs(model.mylabel(static_cast<int>(i + 1))));
    for (std::size_t i = 0; i < label.size(); ++i)
        label[i]->setText(qs(model.label(static_cast<int>(i + 1))));
    label_hisname.setText(qs(model.label_hisname()));
    label_hisnametop.setText(qs(model.label_hisnametop()));
    rendering_ = false;
}

} // namespace glypharo
