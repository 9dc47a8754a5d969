#pragma once

#include <QDialog>
#include <QStringList>

#include <array>

class QLineEdit;
class QPushButton;

namespace glypharo {

// The phrase editor: nine fields phrase1..phrase9 for the phrase buttons.
// "Done" reports the nine texts (empty ones included) and closes; the owner
// sets the buttons and writes the settings keys "Phrase1".."Phrase9".
class Tphrases : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPhraseCount = 9;
    static constexpr int kMaxLength = 50;

    explicit Tphrases(QWidget* parent = nullptr);

    // Fills the fields (PrhaseList1Click does this before showing it).
    void setPhrases(const QStringList& phrases);
    QStringList phrases() const;
    QLineEdit* phraseField(int n) const; // 1..9
    QPushButton* doneButton() const { return button_done_; }

signals:
    void phrasesChosen(const QStringList& phrases);

private:
    void button_doneClick();

    std::array<QLineEdit*, kPhraseCount> phrase_{};
    QPushButton* button_done_ = nullptr;
};

} // namespace glypharo
