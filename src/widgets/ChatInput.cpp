#include "widgets/ChatInput.h"

#include "client/ChatText.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

namespace glypharo {

namespace {
QString placeholder()
{
    return QString::fromLatin1(kChatPlaceholder.data(), static_cast<qsizetype>(kChatPlaceholder.size()));
}
} // namespace

ChatInput::ChatInput(QWidget* parent)
    : QLineEdit(parent)
    , Paste1_(new QAction(tr("Paste"), this))
{
    setObjectName(QStringLiteral("mychat"));
    setText(placeholder());
    // Shown in the menu only; the key itself is handled in keyPressEvent.
    Paste1_->setShortcut(QKeySequence::Paste);
    Paste1_->setShortcutContext(Qt::WidgetShortcut);
    connect(Paste1_, &QAction::triggered, this, &ChatInput::Paste1Click);
}

bool ChatInput::showsPlaceholder() const
{
    return text() == placeholder();
}

void ChatInput::showPlaceholder()
{
    setText(placeholder());
}

void ChatInput::keyPressEvent(QKeyEvent* event)
{
    if (showsPlaceholder())
        clear();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        emit enterPressed();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        event->accept();
        Paste1Click();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void ChatInput::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    menu.addAction(Paste1_);
    menu.exec(event->globalPos());
}

void ChatInput::Paste1Click()
{
    QString clip = QApplication::clipboard()->text();
    if (clip.isEmpty())
        return;
    // A line edit holds one line; pasted line breaks become spaces.
    clip.replace(QLatin1String("\r\n"), QLatin1String(" "));
    clip.replace(QLatin1Char('\n'), QLatin1Char(' '));
    clip.replace(QLatin1Char('\r'), QLatin1Char(' '));
    setText(text() + clip);
    deselect();
    setCursorPosition(static_cast<int>(text().size()));
}

} // namespace glypharo
