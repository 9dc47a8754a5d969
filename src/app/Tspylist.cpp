#include "app/Tspylist.h"

#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace glypharo {

Tspylist::Tspylist(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
    , heading(QStringLiteral("Spy List"))
    , button_done(QStringLiteral("Done"))
{
    setObjectName(QStringLiteral("Tspylist"));
    setWindowTitle(QStringLiteral("Glypharo - Spys"));
    QFont f = heading.font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 2);
    heading.setFont(f);
    heading.setAlignment(Qt::AlignCenter);

    listbox_spys.setObjectName(QStringLiteral("listbox_spys"));
    listbox_spys.setMouseTracking(true);
    listbox_spys.viewport()->setMouseTracking(true);
    listbox_spys.viewport()->installEventFilter(this);
    listbox_spys.setContextMenuPolicy(Qt::DefaultContextMenu);
    listbox_spys.setMinimumSize(200, 120);

    RemoveFromGame1 = popup_kickhim.addAction(QStringLiteral("Remove From Game"));
    RemoveFromGame1->setEnabled(false);
    connect(RemoveFromGame1, &QAction::triggered, this, [this] {
        if (hovered_ != -1)
            Q_EMIT removeRequested(hovered_);
    });

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(&button_done);
    auto* box = new QVBoxLayout(this);
    box->addWidget(&heading);
    box->addWidget(&listbox_spys, 1);
    box->addLayout(bottom);
    connect(&button_done, &QPushButton::clicked, this, &QDialog::hide);
}

Tspylist::~Tspylist()
{
    // The list box dies after this body, taking its viewport with it; the
    // filter must not look at a half-destroyed list box then.
    listbox_spys.viewport()->removeEventFilter(this);
}

void Tspylist::setEntries(const std::vector<std::string>& entries)
{
    listbox_spys.clear();
    for (const auto& e : entries)
        listbox_spys.addItem(QString::fromLatin1(e.data(), static_cast<int>(e.size())));
    hovered_ = -1;
}

bool Tspylist::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == listbox_spys.viewport()) {
        if (event->type() == QEvent::MouseMove) {
            auto* m = static_cast<QMouseEvent*>(event);
            QListWidgetItem* item = listbox_spys.itemAt(m->position().toPoint());
            hovered_ = item ? listbox_spys.row(item) : -1;
        } else if (event->type() == QEvent::ContextMenu) {
            auto* c = static_cast<QContextMenuEvent*>(event);
            QListWidgetItem* item = listbox_spys.itemAt(c->pos());
            hovered_ = item ? listbox_spys.row(item) : -1;
            popup_kickhim.popup(c->globalPos());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace glypharo
