#include "widgets/ChatPanel.h"

#include "client/ChatText.h"
#include "widgets/ChatInput.h"
#include "widgets/ChatLineRenderer.h"
#include "widgets/ChatView.h"
#include "widgets/Smilies.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>

namespace glypharo {

namespace {

QString latin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QToolButton* smallButton(QWidget* parent, const QString& name, const QString& text)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    button->setMinimumWidth(18);
    return button;
}

} // namespace

ChatPanel::ChatPanel(QWidget* parent)
    : QWidget(parent)
    , mainchat_(new ChatView(this))
    , mychat_(new ChatInput(this))
{
    mainchat_->setObjectName(QStringLiteral("mainchat"));
    buildButtons();
    buildMenus();
    buildActions();

    auto* inputRow = new QHBoxLayout;
    inputRow->setSpacing(2);
    inputRow->addWidget(mychat_, 1);
    inputRow->addWidget(button_smilies_);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->setSpacing(2);
    for (QToolButton* button : b_phrase_)
        buttonRow->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(mainchat_, 1);
    layout->addLayout(inputRow);
    layout->addLayout(buttonRow);

    // Small flat buttons in the chat's own colours.
    setStyleSheet(QStringLiteral("QToolButton { border: 1px solid #bdb89a; border-radius: 3px;"
                                 " background: #f7f6e8; padding: 1px 2px; color: #203060; }"
                                 "QToolButton:hover { background: #fffef4; border-color: #8c876a; }"
                                 "QToolButton:pressed { background: #e4e2c8; }"));
    connect(mychat_, &ChatInput::enterPressed, this, [this] { emit textEntered(mychat_->text()); });
    connect(mainchat_, &ChatView::linkClicked, this,
        [this](int, const QString& text) { emit linkClicked(text); });
}

void ChatPanel::buildButtons()
{
    const auto& phrases = kDesignedPhrases;
    for (int n = 1; n <= kPhraseCount; ++n) {
        QToolButton* button = smallButton(this, QStringLiteral("b_phrase%1").arg(n), QString::number(n));
        b_phrase_[static_cast<std::size_t>(n - 1)] = button;
        button->setToolTip(latin1(phrases[static_cast<std::size_t>(n - 1)]));
        connect(button, &QToolButton::clicked, this, [this, n] { emit phraseClicked(n); });
    }
    QToolButton* sounds = smallButton(this, QStringLiteral("b_phrase10"), QString(QChar(0x266B)));
    sounds->setToolTip(tr("Chatter Sounds"));
    b_phrase_[9] = sounds;
    connect(sounds, &QToolButton::clicked, this, &ChatPanel::b_phrase10MouseUp);

    button_smilies_ = new QToolButton(this);
    button_smilies_->setObjectName(QStringLiteral("button_smilies"));
    button_smilies_->setAutoRaise(true);
    button_smilies_->setFocusPolicy(Qt::NoFocus);
    button_smilies_->setToolTip(tr("Smilies"));
    button_smilies_->setIcon(QIcon(Smilies::pixmap(0, 18, devicePixelRatioF())));
    button_smilies_->setIconSize(QSize(18, 18));
    connect(button_smilies_, &QToolButton::clicked, this, &ChatPanel::button_smiliesClick);
}

void ChatPanel::buildMenus()
{
    popup_sounds_ = new QMenu(this);
    popup_sounds_->setObjectName(QStringLiteral("popup_sounds"));
    for (int n = 0; n <= kSoundCount; ++n) {
        const QString caption = n == 0 ? QStringLiteral("<Cancel>") : latin1(soundCaption(n));
        QAction* item = popup_sounds_->addAction(caption);
        item->setObjectName(QStringLiteral("wave%1").arg(n));
        connect(item, &QAction::triggered, this, [this, n] { emit soundChosen(n); });
        if (n == 0)
            popup_sounds_->addSeparator();
    }
    popup_smilies_ = new QMenu(this);
    popup_smilies_->setObjectName(QStringLiteral("popup_smilies"));
    for (int k = 0; k < kSmileyCount; ++k) {
        const int code = kFirstSmiley + k;
        QAction* item = popup_smilies_->addAction(
            QIcon(Smilies::pixmap(k, 20, devicePixelRatioF())), QStringLiteral(":)#%1").arg(code));
        item->setToolTip(Smilies::name(k));
        connect(item, &QAction::triggered, this, [this, code] { emit smileyChosen(code); });
    }
}

void ChatPanel::buildActions()
{
    SelectAll1_ = new QAction(tr("Select All"), this);
    connect(SelectAll1_, &QAction::triggered, mainchat_, &ChatView::selectAll);
    Copy1_ = new QAction(tr("Copy"), this);
    Copy1_->setShortcut(QKeySequence::Copy);
    Copy1_->setShortcutContext(Qt::WidgetShortcut);
    connect(Copy1_, &QAction::triggered, mainchat_, &ChatView::copyPlainText);
    ClearMainChat1_ = new QAction(tr("Clear Main Chat"), this);
    connect(ClearMainChat1_, &QAction::triggered, this, &ChatPanel::ClearMainChat1Click);
    ScrollChatOff1_ = new QAction(tr("Scroll Chat Off"), this);
    ScrollChatOff1_->setCheckable(true);
    ScrollChatOff1_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(ScrollChatOff1_, &QAction::toggled, mainchat_, &ChatView::setScrollOff);

    mainchat_->setContextMenuPolicy(Qt::ActionsContextMenu);
    mainchat_->addAction(SelectAll1_);
    mainchat_->addAction(Copy1_);
    mainchat_->addAction(ClearMainChat1_);
    mainchat_->addAction(ScrollChatOff1_);
}

QToolButton* ChatPanel::phraseButton(int n) const
{
    if (n < 1 || n > 10)
        return nullptr;
    return b_phrase_[static_cast<std::size_t>(n - 1)];
}

void ChatPanel::setPhrase(int n, const QString& phrase)
{
    if (n >= 1 && n <= kPhraseCount)
        b_phrase_[static_cast<std::size_t>(n - 1)]->setToolTip(phrase);
}

QString ChatPanel::phrase(int n) const
{
    if (n < 1 || n > kPhraseCount)
        return {};
    return b_phrase_[static_cast<std::size_t>(n - 1)]->toolTip();
}

QString ChatPanel::inputText() const
{
    return mychat_->text();
}

void ChatPanel::setInputText(const QString& text)
{
    mychat_->setText(text);
    mychat_->deselect();
    mychat_->setCursorPosition(static_cast<int>(text.size()));
}

void ChatPanel::setInputColour(const QColor& colour)
{
    QPalette pal = mychat_->palette();
    pal.setColor(QPalette::Text, colour);
    mychat_->setPalette(pal);
}

void ChatPanel::setTextSize(int points)
{
    mainchat_->setTextSize(points);
}

void ChatPanel::addLine(const ChatParagraph& paragraph)
{
    showChatParagraph(*mainchat_, paragraph);
}

void ChatPanel::b_phrase10MouseUp()
{
    QToolButton* button = b_phrase_[9];
    popup_sounds_->popup(button->mapToGlobal(button->rect().bottomRight()));
}

void ChatPanel::button_smiliesClick()
{
    popup_smilies_->popup(button_smilies_->mapToGlobal(button_smilies_->rect().bottomRight()));
}

void ChatPanel::ClearMainChat1Click()
{
    mainchat_->clearChat();
    mychat_->setFocus();
}

} // namespace glypharo
