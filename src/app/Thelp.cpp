#include "app/Thelp.h"

#include "app/HelpTexts.h"

#include <QDate>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace glypharo {

Thelp::Thelp(QWidget* parent)
    : QDialog(parent)
    , button_about(QStringLiteral("About"))
    , button_done(QStringLiteral("Done"))
{
    setObjectName(QStringLiteral("Thelp"));
    setWindowTitle(QStringLiteral("Glypharo - Help"));
    resize(620, 420);

    auto* side = new QVBoxLayout;
    for (int i = 0; i < 8; ++i) {
        auto* b = new QPushButton(helpCaption(i + 1));
        b->setObjectName(QStringLiteral("button_%1").arg(i + 1));
        b->setMinimumWidth(120);
        side->addWidget(b);
        buttons[static_cast<std::size_t>(i)] = b;
        connect(b, &QPushButton::clicked, this, [this, i] { showPage(i + 1); });

        auto* m = new QPlainTextEdit(helpText(i + 1));
        m->setObjectName(QStringLiteral("memo%1").arg(i + 1));
        m->setReadOnly(true);
        memo[static_cast<std::size_t>(i)] = m;
        pages.addWidget(m);
    }
    side->addStretch();
    label_year.setText(QString::number(QDate::currentDate().year()));
    label_year.setAlignment(Qt::AlignCenter);
    side->addWidget(&label_year);

    QFont f = label_caption.font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 4);
    label_caption.setFont(f);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(&button_about);
    bottom->addWidget(&button_done);

    auto* main = new QVBoxLayout;
    main->addWidget(&label_caption);
    main->addWidget(&pages, 1);
    main->addLayout(bottom);

    auto* all = new QHBoxLayout(this);
    all->addLayout(side);
    all->addLayout(main, 1);

    connect(&button_about, &QPushButton::clicked, this, &Thelp::aboutRequested);
    connect(&button_done, &QPushButton::clicked, this, &QDialog::hide);
    showPage(1);
}

void Thelp::showPage(int page)
{
    if (page < 1 || page > 8)
        return;
    pages.setCurrentIndex(page - 1);
    label_caption.setText(helpCaption(page));
}

} // namespace glypharo
