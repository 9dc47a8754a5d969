#include "app/Tabout.h"

#include "app/Desktop.h"

#include <QDate>
#include <QEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace glypharo {

Tabout::Tabout(QWidget* parent)
    : QDialog(parent)
    , version(QStringLiteral("1.0.1"))
    , label_url(QString::fromLatin1(kMakerSite))
    , button_done(QStringLiteral("Done"))
{
    setObjectName(QStringLiteral("Tabout"));
    setWindowTitle(QStringLiteral("About Glypharo"));

    auto* title = new QLabel(QStringLiteral("Glypharo"));
    QFont tf = title->font();
    tf.setBold(true);
    tf.setPointSize(tf.pointSize() + 8);
    title->setFont(tf);

    label_year.setText(QString::number(QDate::currentDate().year()));
    label_url.setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(QString::fromLatin1(kMakerSite)));
    label_url.setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    label_url.setOpenExternalLinks(false);
    connect(
        &label_url, &QLabel::linkActivated, this, [] { openWebAddress(QString::fromLatin1(kMakerSite)); });
    image_aboutlogo.setCursor(Qt::PointingHandCursor);
    image_aboutlogo.installEventFilter(this);
    image_aboutlogo.setAlignment(Qt::AlignCenter);

    auto* text = new QVBoxLayout;
    text->addWidget(title);
    auto* v = new QHBoxLayout;
    v->addWidget(new QLabel(QStringLiteral("Version")));
    v->addWidget(&version);
    v->addStretch();
    text->addLayout(v);
    auto* c = new QHBoxLayout;
    c->addWidget(new QLabel(QStringLiteral("Copyright \u00A9 Vexmoor Software")));
    c->addWidget(&label_year);
    c->addStretch();
    text->addLayout(c);
    text->addWidget(&label_url);

    auto* top = new QHBoxLayout;
    top->addWidget(&image_aboutlogo);
    top->addLayout(text, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(&button_done);

    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(bottom);
    all->setSizeConstraint(QLayout::SetFixedSize);
    connect(&button_done, &QPushButton::clicked, this, &QDialog::hide);
}

bool Tabout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &image_aboutlogo && event->type() == QEvent::MouseButtonRelease) {
        openWebAddress(QString::fromLatin1(kMakerSite));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace glypharo
