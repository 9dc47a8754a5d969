#pragma once

#include <QLineEdit>

namespace glypharo {

// The chat input box `mychat`. It shows "<Enter Chat Here>" as real text;
// any key pressed while it does empties it first. Enter is reported through
// enterPressed() and swallowed. Its context menu offers "Paste", which
// appends the clipboard's text.
class ChatInput : public QLineEdit {
    Q_OBJECT
public:
    explicit ChatInput(QWidget* parent = nullptr);

    bool showsPlaceholder() const;
    void showPlaceholder();
    QAction* pasteAction() const { return Paste1_; }

signals:
    void enterPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void Paste1Click();

    QAction* Paste1_ = nullptr;
};

} // namespace glypharo
