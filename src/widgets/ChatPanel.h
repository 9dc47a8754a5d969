#pragma once

#include <QWidget>

#include <array>

class QAction;
class QMenu;
class QToolButton;

namespace glypharo {

class ChatInput;
class ChatView;
struct ChatParagraph;

// The chat column of the main window: the view `mainchat`, the input
// `mychat`, the phrase buttons `b_phrase1`..`b_phrase9`, the sound button
// `b_phrase10` with its menu `popup_sounds`, and `button_smilies` with
// `popup_smilies`. It reports what the player does through signals and holds
// no rule of its own: the owner decides what to send and what to show.
class ChatPanel : public QWidget {
    Q_OBJECT
public:
    explicit ChatPanel(QWidget* parent = nullptr);

    ChatView* mainchat() const { return mainchat_; }
    ChatInput* mychat() const { return mychat_; }
    QToolButton* phraseButton(int n) const; // 1..10
    QToolButton* smiliesButton() const { return button_smilies_; }
    QMenu* soundMenu() const { return popup_sounds_; }
    QMenu* smileyMenu() const { return popup_smilies_; }

    // The view's context menu commands. "Scroll Chat Off" (Ctrl+S) and
    // "Clear Main Chat" are meant to be added to the main menu as well, so
    // both menus always show the same state.
    QAction* selectAllAction() const { return SelectAll1_; }
    QAction* copyAction() const { return Copy1_; }
    QAction* clearMainChatAction() const { return ClearMainChat1_; }
    QAction* scrollChatOffAction() const { return ScrollChatOff1_; }

    // A phrase button's phrase, shown as its tooltip (n = 1..9).
    void setPhrase(int n, const QString& phrase);
    QString phrase(int n) const;

    // The input's text; setInputText puts the caret at the end.
    QString inputText() const;
    void setInputText(const QString& text);
    void setInputColour(const QColor& colour);
    void setTextSize(int points);

    // Draws a rendered chat line.
    void addLine(const ChatParagraph& paragraph);

signals:
    void textEntered(const QString& text);
    void phraseClicked(int n); // 1..9
    void soundChosen(int n); // 0 is "<Cancel>", 1..20 the sounds
    void smileyChosen(int n); // 10..27
    void linkClicked(const QString& text);

private:
    void buildButtons();
    void buildMenus();
    void buildActions();
    void b_phrase10MouseUp();
    void button_smiliesClick();
    void ClearMainChat1Click();

    ChatView* mainchat_ = nullptr;
    ChatInput* mychat_ = nullptr;
    std::array<QToolButton*, 10> b_phrase_{};
    QToolButton* button_smilies_ = nullptr;
    QMenu* popup_sounds_ = nullptr;
    QMenu* popup_smilies_ = nullptr;
    QAction* SelectAll1_ = nullptr;
    QAction* Copy1_ = nullptr;
    QAction* ClearMainChat1_ = nullptr;
    QAction* ScrollChatOff1_ = nullptr;
};

} // namespace glypharo
