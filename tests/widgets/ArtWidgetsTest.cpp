#include "widgets/BoardPicture.h"
#include "widgets/ImageButton.h"
#include "widgets/TileView.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

namespace glypharo {
namespace {

class ArtWidgetsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "glypharo_widgets_tests";
            static char* argv[] = {name, nullptr};
            new QApplication(argc, argv);
        }
    }
};

TEST_F(ArtWidgetsTest, TileViewReportsTheButtonReleasedOverIt)
{
    struct Case {
        Qt::MouseButton button;
        QPoint release;
        bool clicked;
    };
    const Case cases[] = {
        {Qt::LeftButton, QPoint(20, 20), true}, {Qt::RightButton, QPoint(5, 30), true},
        {Qt::LeftButton, QPoint(80, 20), false}, // dragged off before letting go
    };
    for (const Case& c : cases) {
        TileView tile;
        tile.setFace(3);
        QSignalSpy spy(&tile, &TileView::clicked);
        QTest::mousePress(&tile, c.button, {}, QPoint(20, 20));
        QTest::mouseRelease(&tile, c.button, {}, c.release);
        ASSERT_EQ(spy.count(), c.clicked ? 1 : 0) << c.button << " released at " << c.release.x();
        if (c.clicked) {
            EXPECT_EQ(spy.at(0).at(0).value<Qt::MouseButton>(), c.button);
        }
    }
}

TEST_F(ArtWidgetsTest, TileViewShowsOnlyKnownFaces)
{
    struct Case {
        int requested;
        int shown;
    };
    for (const Case& c :
        {Case{0, 0}, Case{26, 26}, Case{27, 27}, Case{-1, -1}, Case{28, -1}, Case{100, -1}}) {
        TileView tile;
        tile.setFace(c.requested);
        EXPECT_EQ(tile.face(), c.shown) << c.requested;
    }
}

TEST_F(ArtWidgetsTest, ImageButtonClicksByMouseAndKeyboardAndShowsItsState)
{
    ImageButton button(Artwork::ButtonKind::Submit);
    EXPECT_EQ(button.text(), QStringLiteral("Submit"));
    EXPECT_EQ(button.size(), Artwork::kTurnButtonSize);
    QSignalSpy spy(&button, &QAbstractButton::clicked);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(spy.count(), 1);

    button.show();
    button.setFocus();
    QTest::keyClick(&button, Qt::Key_Space);
    EXPECT_EQ(spy.count(), 2);

    button.setDown(true);
    EXPECT_EQ(button.visualState(), Artwork::ButtonState::Pressed);
    button.setDown(false);
    button.setEnabled(false);
    EXPECT_EQ(button.visualState(), Artwork::ButtonState::Disabled);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(spy.count(), 2);
}

TEST_F(ArtWidgetsTest, BoardPictureSitsAtItsOriginAndReportsReleases)
{
    QWidget panel;
    auto* board = new BoardPicture(&panel);
    EXPECT_EQ(board->geometry(), QRect(Artwork::kBoardOrigin, Artwork::kBoardSize));
    QSignalSpy spy(board, &BoardPicture::clicked);
    QTest::mouseClick(board, Qt::RightButton, {}, QPoint(100, 100));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).value<Qt::MouseButton>(), Qt::RightButton);
}

} // namespace
} // namespace glypharo
