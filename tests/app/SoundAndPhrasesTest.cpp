#include "app/SoundPlayer.h"
#include "app/Tphrases.h"
#include "client/ChatText.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace glypharo {
namespace {

void ensureApplication()
{
    if (QApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "glypharo_app_tests";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
}

TEST(TphrasesTest, DoneReportsTheNineTexts)
{
    ensureApplication();
    Tphrases editor;
    EXPECT_EQ(editor.windowTitle().toStdString(), "Glypharo - Phrase Buttons ");
    QStringList designed;
    for (std::string_view phrase : kDesignedPhrases)
        designed.append(QString::fromLatin1(phrase.data(), qsizetype(phrase.size())));
    editor.setPhrases(designed);
    EXPECT_EQ(editor.phraseField(9)->text().toStdString(), "Good Game Everyone!");
    EXPECT_EQ(editor.phraseField(1)->maxLength(), 50);
    editor.phraseField(2)->clear();
    QTest::keyClicks(editor.phraseField(2), QString(60, QLatin1Char('x')));
    editor.phraseField(4)->clear();
    QSignalSpy chosen(&editor, &Tphrases::phrasesChosen);
    QTest::mouseClick(editor.doneButton(), Qt::LeftButton);
    ASSERT_EQ(chosen.count(), 1);
    const QStringList texts = chosen[0][0].toStringList();
    ASSERT_EQ(texts.size(), 9);
    EXPECT_EQ(texts[0].toStdString(), "Way To Go!");
    EXPECT_EQ(texts[1], QString(50, QLatin1Char('x')));
    EXPECT_TRUE(texts[3].isEmpty());
}

TEST(SoundPlayerTest, PlaysKnownSoundsAndIgnoresTheRest)
{
    ensureApplication();
    SoundPlayer player;
    SoundSink& sink = player;
    sink.play("goodword");
    EXPECT_EQ(player.current(), "GOODWORD");
    sink.play("wave4");
    EXPECT_EQ(player.current(), "WAVE4"); // the new sound cut the old one off
    sink.play("nosuchsound");
    sink.play("../words/TEXT_DEMO");
    sink.play("");
    EXPECT_EQ(player.current(), "WAVE4");
    sink.play("goodword");
    EXPECT_EQ(player.loadedCount(), 3u); // GOODWORD, WAVE4, and the missing name remembered
    player.stop();
    EXPECT_EQ(player.current(), "");
}

TEST(SoundPlayerTest, EveryGameAndPlayerSoundIsShipped)
{
    ensureApplication();
    SoundPlayer player;
    const char* names[] = {"entered", "invalid", "goodword", "pass", "gameover", "turn", "turnnew",
        "swapletter", "pickupletter", "placeletter", "clear", "tick", "timeup"};
    for (const char* name : names) {
        player.play(name);
        EXPECT_EQ(player.current(), *soundResourceName(name)) << name;
    }
    for (int n = 1; n <= kSoundCount; ++n) {
        player.play("wave" + std::to_string(n));
        EXPECT_EQ(player.current(), "WAVE" + std::to_string(n));
    }
}

} // namespace
} // namespace glypharo
