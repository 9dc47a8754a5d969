#include "widgets/ChatView.h"
#include "client/ChatText.h"
#include "widgets/ChatLineRenderer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextDocument>

#include <cstdio>

namespace glypharo {
namespace {

void ensureApplication()
{
    if (QApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "glypharo_widgets_tests";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
}

// The character format at the first occurrence of `text` in the view.
QTextCharFormat formatAt(const ChatView& view, const QString& text)
{
    const QTextCursor found = view.document()->find(text);
    EXPECT_FALSE(found.isNull()) << text.toStdString();
    QTextCursor at(view.document());
    at.setPosition(found.selectionStart() + 1);
    return at.charFormat();
}

class ChatViewTest : public ::testing::Test {
protected:
    void show(const char* data)
    {
        const ReceivedChat received = chatrecieved(data);
        showChatParagraph(view, addlinetochat(received.line, received.colour, links));
    }

    bool app_ = (ensureApplication(), true); // before any widget
    ChatView view;
    LinkTable links;
};

TEST_F(ChatViewTest, ReceivedLineIsBoldInTheSendersColour)
{
    show("2+Bram chats: hello there|$00FF0000");
    show("0+Anna has joined|clMaroon");
    show("3+Cleo chats: broken|b");
    const struct {
        const char* text;
        QColor colour;
        bool bold;
    } cases[] = {
        {"Bram chats:", QColor(0, 0, 255), true},
        {"hello", QColor(0, 0, 255), true},
        {"Anna has", QColor(128, 0, 0), true},
        {"there", QColor(0, 0, 255), true},
        {"broken", QColor(255, 0, 0), true},
    };
    for (const auto& c : cases) {
        const QTextCharFormat format = formatAt(view, QString::fromLatin1(c.text));
        EXPECT_EQ(format.foreground().color(), c.colour) << c.text;
        EXPECT_EQ(format.fontWeight() == QFont::Bold, c.bold) << c.text;
    }
    EXPECT_EQ(view.lineCount(), 3);
}

TEST_F(ChatViewTest, NewColourOfASeatRecoloursItsEarlierLinesOnly)
{
    show("2+Bram chats: first|clGreen");
    show("4+Dirk chats: other|clNavy");
    show("2+Bram chats: second|clPurple");
    EXPECT_EQ(formatAt(view, QStringLiteral("first")).foreground().color(), QColor(128, 0, 128));
    EXPECT_EQ(formatAt(view, QStringLiteral("second")).foreground().color(), QColor(128, 0, 128));
    EXPECT_EQ(formatAt(view, QStringLiteral("other")).foreground().color(), QColor(0, 0, 128));
}

TEST_F(ChatViewTest, LinksAreGreenUnderlinedAndReportTheirOwnText)
{
    // Push the link counter past its wrap so the numbers repeat.
    for (int i = 0; i < 105; ++i)
        links.add("old");
    show("1+Anna chats: see www.example.org now|clBlack");
    const QTextCharFormat format = formatAt(view, QStringLiteral("www.example.org"));
    EXPECT_TRUE(format.isAnchor());
    EXPECT_TRUE(format.fontUnderline());
    EXPECT_EQ(format.foreground().color(), QColor(0, 128, 0));
    EXPECT_NE(formatAt(view, QStringLiteral("now")).isAnchor(), true);

    QSignalSpy clicked(&view, &ChatView::linkClicked);
    emit view.anchorClicked(QUrl(format.anchorHref()));
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked[0][0].toInt(), 5);
    EXPECT_EQ(clicked[0][1].toString(), QStringLiteral("www.example.org "));
    EXPECT_EQ(view.source(), QUrl()); // the view itself opened nothing
    // Foreign anchors are ignored.
    emit view.anchorClicked(QUrl(QStringLiteral("file:///etc/passwd")));
    EXPECT_EQ(clicked.count(), 1);
}

TEST_F(ChatViewTest, TextSizeAppliesToEveryStyle)
{
    show("1+Anna chats: www.example.org plain|clBlack");
    view.setTextSize(14);
    EXPECT_EQ(view.textSize(), 14);
    for (const char* text : {"Anna", "www.example", "plain"}) {
        const QTextCharFormat format = formatAt(view, QString::fromLatin1(text));
        EXPECT_EQ(QFont(view.document()->defaultFont()).resolve(format.font()).pointSize(), 14) << text;
    }
}

TEST_F(ChatViewTest, CopiesPlainTextWithSmileyCodes)
{
    show("1+Anna chats: hi :)#12 there|clBlack");
    show("2+Bram chats: yo|clBlack");
    view.selectAll();
    view.copyPlainText();
    EXPECT_EQ(
        QApplication::clipboard()->text().toStdString(), "Anna chats:  hi  :)#12 there \nBram chats:  yo ");
    view.clearChat();
    EXPECT_EQ(view.lineCount(), 0);
    EXPECT_TRUE(view.document()->toPlainText().isEmpty());
    show("3+Cleo chats: again|clRed");
    EXPECT_EQ(view.document()->toPlainText().toStdString(), "Cleo chats:  again ");
}

TEST_F(ChatViewTest, FollowsTheNewestLineUnlessScrollingIsOff)
{
    view.resize(290, 200);
    view.show();
    for (int i = 0; i < 60; ++i)
        show("1+Anna chats: line|clBlack");
    QScrollBar* bar = view.verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
    view.setScrollOff(true);
    bar->setValue(0);
    for (int i = 0; i < 10; ++i)
        show("1+Anna chats: more|clBlack");
    EXPECT_EQ(bar->value(), 0);
}

TEST_F(ChatViewTest, AddsFiveThousandLines)
{
    view.resize(290, 300);
    view.show();
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 5000; ++i) {
        const int seat = 1 + i % 6;
        const std::string data = std::to_string(seat) + "+P chats: line " + std::to_string(i)
            + " www.example.org :)#11|$00" + std::to_string(10 * seat) + "0000";
        show(data.c_str());
    }
    const qint64 steady = timer.restart();
    // A seat changing colour recolours its earlier lines.
    show("1+P chats: now in red");
    const qint64 recolour = timer.elapsed();
    std::printf("[ measure  ] 5000 chat lines added in %lld ms; one colour change then took %lld ms\n",
        static_cast<long long>(steady), static_cast<long long>(recolour));
    EXPECT_EQ(view.lineCount(), 5001);
    EXPECT_EQ(formatAt(view, QStringLiteral("line 0 ")).foreground().color(), QColor(255, 0, 0));
}

} // namespace
} // namespace glypharo
