#pragma once

#include <QColor>
#include <QTextBrowser>
#include <QTextCursor>

#include <array>
#include <utility>
#include <vector>

namespace glypharo {

// The rich chat view: lines made of runs in fifteen numbered text styles,
// inline smiley pictures and link runs. Changing a style's look changes every
// run already drawn in it. Links are never opened here: a click is reported
// through linkClicked() with the number and text the run was added with.
class ChatView : public QTextBrowser {
    Q_OBJECT
public:
    static constexpr int kStyleCount = 15;
    static constexpr int kLinkStyle = 4;
    static const QColor kBackground;

    struct StyleLook {
        QColor colour;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool operator==(const StyleLook&) const = default;
    };

    explicit ChatView(QWidget* parent = nullptr);

    StyleLook styleLook(int style) const;
    // Gives the style a new look; runs already drawn in it follow at once.
    void setStyleLook(int style, const StyleLook& look);
    // The font size (points) of all fifteen styles.
    void setTextSize(int points);
    int textSize() const { return textSize_; }

    // Building a line: beginLine(), any number of runs, endLine().
    void beginLine();
    void addText(const QString& text, int style);
    void addLink(const QString& text, int number);
    void addPicture(int index);
    // Scrolls to the newest line unless scrolling is off.
    void endLine();

    void setScrollOff(bool off) { scrollOff_ = off; }
    bool scrollOff() const { return scrollOff_; }

    // Removes every line; styles and their looks stay.
    void clearChat();
    // Copies the selection as plain text, pictures as their smiley codes.
    void copyPlainText();
    // The text of [from, to) as plain text, pictures as their smiley codes.
    QString plainText(int from, int to) const;
    int lineCount() const;

signals:
    void linkClicked(int number, const QString& text);

protected:
    QMimeData* createMimeDataFromSelection() const override;

private:
    QTextCharFormat formatFor(int style) const;
    void remember(int style, int start, int end);
    void onAnchorClicked(const QUrl& url);
    int pictureSize() const;

    std::array<StyleLook, kStyleCount> looks_;
    // Where each style's runs sit. The document only grows at its end, so
    // these positions stay valid until the next clear.
    std::array<std::vector<std::pair<int, int>>, kStyleCount> runs_;
    QTextCursor end_;
    bool firstLine_ = true;
    bool scrollOff_ = false;
    int textSize_ = 10;
};

} // namespace glypharo
