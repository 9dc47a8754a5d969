#include "widgets/Artwork.h"
#include "protocol/Letters.h"
#include "widgets/ArtSheet.h"
#include "widgets/BackgroundTiler.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QWidget>

#include <functional>
#include <vector>

namespace glypharo {
namespace {

// Shares one QApplication with any other widget test in the binary.
void ensureApplication()
{
    if (QApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "glypharo_widgets_tests";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
}

class ArtworkTest : public ::testing::Test {
protected:
    void SetUp() override { ensureApplication(); }
};

bool hasInk(const QPixmap& pixmap)
{
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 0) {
                return true;
            }
        }
    }
    return false;
}

struct Picture {
    const char* name;
    std::function<QPixmap(qreal)> draw;
    QSize logical;
};

std::vector<Picture> everyPicture()
{
    using K = Artwork::ButtonKind;
    using S = Artwork::ButtonState;
    return {
        {"blank face", [](qreal d) { return Artwork::letterFace(0, d); }, {39, 39}},
        {"face A", [](qreal d) { return Artwork::letterFace(1, d); }, {39, 39}},
        {"face Z", [](qreal d) { return Artwork::letterFace(26, d); }, {39, 39}},
        {"dark face", [](qreal d) { return Artwork::letterFace(27, d); }, {39, 39}},
        {"slot-sized face", [](qreal d) { return Artwork::letterFace(17, d, Artwork::kSlotSize); }, {38, 39}},
        {"board", [](qreal d) { return Artwork::boardPicture(d); }, {430, 288}},
        {"turn marker", [](qreal d) { return Artwork::turnMarker(d); }, {42, 25}},
        {"pass", [](qreal d) { return Artwork::button(K::Pass, S::Normal, d); }, {129, 27}},
        {"clear hover", [](qreal d) { return Artwork::button(K::Clear, S::Hover, d); }, {129, 27}},
        {"submit pressed", [](qreal d) { return Artwork::button(K::Submit, S::Pressed, d); }, {129, 27}},
        {"start disabled", [](qreal d) { return Artwork::button(K::Start, S::Disabled, d); }, {160, 34}},
        {"eyes", [](qreal d) { return Artwork::eyes(d); }, {20, 12}},
        {"background", [](qreal d) { return Artwork::backgroundTile(d); }, {64, 64}},
        {"logo", [](qreal d) { return Artwork::logo(d); }, {200, 40}},
        {"timer bar", [](qreal d) { return Artwork::timerBar(421, d, 0.3); }, {421, 10}},
        {"winner banner", [](qreal d) { return Artwork::winnerBanner(d); }, {430, 96}},
        {"plaque", [](qreal d) { return Artwork::plaque(QSize(400, 180), d); }, {400, 180}},
    };
}

TEST_F(ArtworkTest, EveryPictureHasItsLogicalSizeAndInkAtEachRatio)
{
    for (const Picture& picture : everyPicture()) {
        for (const qreal dpr : {1.0, 2.0}) {
            SCOPED_TRACE(testing::Message() << picture.name << " at " << dpr);
            const QPixmap pixmap = picture.draw(dpr);
            ASSERT_FALSE(pixmap.isNull());
            EXPECT_EQ(pixmap.deviceIndependentSize().toSize(), picture.logical);
            EXPECT_EQ(pixmap.size(), picture.logical * dpr);
            EXPECT_TRUE(hasInk(pixmap));
        }
    }
}

TEST_F(ArtworkTest, LetterFacesDifferFromEachOtherAndFromTheBlank)
{
    std::vector<QImage> faces;
    for (int face = 0; face <= 26; ++face) {
        faces.push_back(Artwork::letterFace(face, 1.0).toImage());
    }
    for (std::size_t a = 0; a < faces.size(); ++a) {
        for (std::size_t b = a + 1; b < faces.size(); ++b) {
            EXPECT_NE(faces[a], faces[b]) << "faces " << a << " and " << b;
        }
    }
}

TEST_F(ArtworkTest, FacesPrintTheValuesTheGameScores)
{
    for (int face = 1; face <= 26; ++face) {
        EXPECT_EQ(Artwork::printedValue(face), lettervalue(face)) << "face " << face;
    }
    EXPECT_EQ(Artwork::printedValue(Artwork::kBlankFace), 0);
    EXPECT_EQ(Artwork::printedValue(Artwork::kDarkFace), 0);
}

TEST_F(ArtworkTest, InvalidRequestsGiveNullPictures)
{
    EXPECT_TRUE(Artwork::letterFace(-1, 1.0).isNull());
    EXPECT_TRUE(Artwork::letterFace(Artwork::kFaceCount, 1.0).isNull());
    EXPECT_TRUE(Artwork::letterFace(5, 1.0, QSize(0, 39)).isNull());
    EXPECT_TRUE(Artwork::timerBar(0, 1.0).isNull());
    EXPECT_TRUE(Artwork::timerBar(-7, 2.0).isNull());
    EXPECT_TRUE(Artwork::slotRect(0, 1).isNull());
    EXPECT_TRUE(Artwork::slotRect(7, 1).isNull());
    EXPECT_TRUE(Artwork::boardWell(1, 11).isNull());
}

TEST_F(ArtworkTest, EveryWellLiesInsideTheBoardAndReadsDarkerThanTheFelt)
{
    const QImage board = Artwork::boardPicture(1.0).toImage();
    const int feltGrey = qGray(board.pixel(12, 144)); // the felt margin left of the wells
    for (int row = 1; row <= 6; ++row) {
        for (int column = 1; column <= 10; ++column) {
            SCOPED_TRACE(testing::Message() << "row " << row << " column " << column);
            const QRect well = Artwork::boardWell(row, column);
            ASSERT_TRUE(QRect(QPoint(0, 0), Artwork::kBoardSize).contains(well));
            EXPECT_EQ(well.translated(Artwork::kBoardOrigin), Artwork::slotRect(row, column));
            EXPECT_LT(qGray(board.pixel(well.center())), feltGrey);
        }
    }
}

TEST_F(ArtworkTest, TimerColourRunsFromGreenToRed)
{
    struct Case {
        qreal remaining;
        bool greenest;
        bool reddest;
    };
    for (const Case& c :
        {Case{1.0, true, false}, Case{1.5, true, false}, Case{0.0, false, true}, Case{-0.2, false, true}}) {
        const QColor colour = Artwork::timerColour(c.remaining);
        EXPECT_EQ(colour.green() > colour.red(), c.greenest) << c.remaining;
        EXPECT_EQ(colour.red() > 2 * colour.green(), c.reddest) << c.remaining;
    }
}

TEST_F(ArtworkTest, BackgroundTilerFillsWithTheTileOnce)
{
    QWidget widget;
    BackgroundTiler::install(&widget);
    BackgroundTiler::install(&widget);
    EXPECT_EQ(widget.findChildren<BackgroundTiler*>().size(), 1);
    EXPECT_TRUE(widget.autoFillBackground());
    const QBrush brush = widget.palette().brush(QPalette::Window);
    EXPECT_EQ(brush.style(), Qt::TexturePattern);
    EXPECT_EQ(brush.texture().toImage(), Artwork::backgroundTile(widget.devicePixelRatioF()).toImage());
}

// Writes the preview pictures when GLYPHARO_ART_DIR names a folder:
//   GLYPHARO_ART_DIR=docs/art glypharo_widgets_tests --gtest_filter='*Preview*'
TEST_F(ArtworkTest, WritesPreviewsOnRequest)
{
    const QString folder = qEnvironmentVariable("GLYPHARO_ART_DIR");
    if (folder.isEmpty()) {
        GTEST_SKIP() << "set GLYPHARO_ART_DIR to write the previews";
    }
    ASSERT_TRUE(QDir().mkpath(folder));
    const QDir dir(folder);
    EXPECT_TRUE(ArtSheet::contactSheet(1.0).save(dir.filePath(QStringLiteral("sheet.png"))));
    EXPECT_TRUE(ArtSheet::contactSheet(2.0).save(dir.filePath(QStringLiteral("sheet@2x.png"))));
    EXPECT_TRUE(ArtSheet::boardDemo(2.0).save(dir.filePath(QStringLiteral("board@2x.png"))));
}

} // namespace
} // namespace glypharo
