#include "widgets/ChatPanel.h"
#include "client/ChatText.h"
#include "widgets/ChatInput.h"
#include "widgets/ChatView.h"
#include "widgets/Smilies.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <set>

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

class ChatPanelTest : public ::testing::Test {
protected:
    bool app_ = (ensureApplication(), true); // before any widget
    ChatPanel panel;
};

TEST_F(ChatPanelTest, TypingReplacesThePlaceholderAndEnterReportsTheText)
{
    QSignalSpy entered(&panel, &ChatPanel::textEntered);
    EXPECT_EQ(panel.inputText().toStdString(), "<Enter Chat Here>");
    QTest::keyClicks(panel.mychat(), QStringLiteral("hi all"));
    EXPECT_EQ(panel.inputText().toStdString(), "hi all");
    QTest::keyClick(panel.mychat(), Qt::Key_Return);
    ASSERT_EQ(entered.count(), 1);
    EXPECT_EQ(entered[0][0].toString().toStdString(), "hi all");
    // The panel keeps the text; the owner empties it when it was sent.
    EXPECT_EQ(panel.inputText().toStdString(), "hi all");
}

TEST_F(ChatPanelTest, PasteAppendsToWhatIsShown)
{
    QApplication::clipboard()->setText(QStringLiteral("one\ntwo"));
    panel.mychat()->pasteAction()->trigger();
    EXPECT_EQ(panel.inputText().toStdString(), "<Enter Chat Here>one two");
    EXPECT_EQ(panel.mychat()->cursorPosition(), panel.inputText().size());
}

TEST_F(ChatPanelTest, ButtonsAndMenusReportTheirNumbers)
{
    QSignalSpy phrases(&panel, &ChatPanel::phraseClicked);
    QSignalSpy sounds(&panel, &ChatPanel::soundChosen);
    QSignalSpy smilies(&panel, &ChatPanel::smileyChosen);
    for (int n = 1; n <= 9; ++n) {
        EXPECT_EQ(panel.phraseButton(n)->toolTip().toStdString(), kDesignedPhrases[std::size_t(n - 1)]);
        QTest::mouseClick(panel.phraseButton(n), Qt::LeftButton);
    }
    ASSERT_EQ(phrases.count(), 9);
    EXPECT_EQ(phrases[8][0].toInt(), 9);
    panel.setPhrase(3, QStringLiteral("/me grins"));
    EXPECT_EQ(panel.phrase(3).toStdString(), "/me grins");
    EXPECT_EQ(panel.phraseButton(10)->toolTip().toStdString(), "Chatter Sounds");

    const QList<QAction*> soundItems = panel.soundMenu()->actions();
    QStringList captions;
    for (QAction* item : soundItems) {
        if (!item->isSeparator())
            captions.append(item->text());
    }
    ASSERT_EQ(captions.size(), 21);
    EXPECT_EQ(captions[0].toStdString(), "<Cancel>");
    EXPECT_EQ(captions[5].toStdString(), "Where have you been?");
    EXPECT_EQ(captions[20].toStdString(), "Crying");
    soundItems.back()->trigger();
    ASSERT_EQ(sounds.count(), 1);
    EXPECT_EQ(sounds[0][0].toInt(), 20);

    const QList<QAction*> smileyItems = panel.smileyMenu()->actions();
    ASSERT_EQ(smileyItems.size(), 18);
    EXPECT_EQ(smileyItems[0]->text().toStdString(), ":)#10");
    EXPECT_EQ(smileyItems[17]->text().toStdString(), ":)#27");
    smileyItems[5]->trigger();
    ASSERT_EQ(smilies.count(), 1);
    EXPECT_EQ(smilies[0][0].toInt(), 15);
}

TEST_F(ChatPanelTest, ScrollChatOffIsOneCheckableActionAndClearEmptiesTheView)
{
    QAction* scrollOff = panel.scrollChatOffAction();
    EXPECT_TRUE(scrollOff->isCheckable());
    EXPECT_TRUE(panel.mainchat()->actions().contains(scrollOff));
    scrollOff->trigger();
    EXPECT_TRUE(panel.mainchat()->scrollOff());
    scrollOff->setChecked(false); // as the main menu's copy would
    EXPECT_FALSE(panel.mainchat()->scrollOff());

    LinkTable links;
    panel.addLine(addlinetochat("1+Anna chats: www.example.org", kColourBlack, links));
    QSignalSpy clicked(&panel, &ChatPanel::linkClicked);
    QTextCursor cursor = panel.mainchat()->document()->find(QStringLiteral("www"));
    emit panel.mainchat()->anchorClicked(QUrl(cursor.charFormat().anchorHref()));
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(linkTarget(clicked[0][0].toString().toStdString()), "http://www.example.org");

    panel.clearMainChatAction()->trigger();
    EXPECT_EQ(panel.mainchat()->lineCount(), 0);
    EXPECT_EQ(links.counter(), 0); // clearing keeps the link numbers going
}

TEST(SmiliesTest, EighteenDistinctFacesAtEveryRatio)
{
    ensureApplication();
    std::set<QByteArray> seen;
    for (int k = 0; k < Smilies::kCount; ++k) {
        const QImage image = Smilies::image(k, 16, 2.0);
        EXPECT_EQ(image.size(), QSize(32, 32));
        EXPECT_EQ(image.devicePixelRatio(), 2.0);
        EXPECT_NE(image.pixelColor(16, 16).alpha(), 0) << k;
        EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0) << k;
        seen.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
    }
    EXPECT_EQ(seen.size(), std::size_t(Smilies::kCount));
    EXPECT_EQ(Smilies::image(99, 16).size(), QSize(16, 16));
}

} // namespace
} // namespace glypharo
