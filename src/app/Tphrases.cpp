#include "app/Tphrases.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace glypharo {

Tphrases::Tphrases(QWidget* parent)
    : QDialog(parent)
    , button_done_(new QPushButton(tr("Done"), this))
{
    setObjectName(QStringLiteral("Tphrases"));
    setWindowTitle(QStringLiteral("Glypharo - Phrase Buttons "));
    auto* form = new QFormLayout;
    for (int n = 1; n <= kPhraseCount; ++n) {
        auto* field = new QLineEdit(this);
        field->setObjectName(QStringLiteral("phrase%1").arg(n));
        field->setMaxLength(kMaxLength);
        field->setMinimumWidth(260);
        phrase_[static_cast<std::size_t>(n - 1)] = field;
        form->addRow(QStringLiteral("Phrase Button %1:").arg(n), field);
    }
    auto* note = new QLabel(QStringLiteral("Buttons can only be used once every 2 seconds"), this);
    button_done_->setObjectName(QStringLiteral("button_done"));
    button_done_->setDefault(true);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(note, 1);
    bottom->addWidget(button_done_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(bottom);
    connect(button_done_, &QPushButton::clicked, this, &Tphrases::button_doneClick);
}

void Tphrases::setPhrases(const QStringList& phrases)
{
    for (int n = 0; n < kPhraseCount; ++n)
        phrase_[static_cast<std::size_t>(n)]->setText(n < phrases.size() ? phrases[n] : QString());
}

QStringList Tphrases::phrases() const
{
    QStringList texts;
    for (const QLineEdit* field : phrase_)
        texts.append(field->text());
    return texts;
}

QLineEdit* Tphrases::phraseField(int n) const
{
    if (n < 1 || n > kPhraseCount)
        return nullptr;
    return phrase_[static_cast<std::size_t>(n - 1)];
}

void Tphrases::button_doneClick()
{
    emit phrasesChosen(phrases());
    accept();
}

} // namespace glypharo
