#include "TestFiles.h"

#include "tally/TallyModel.h"
#include "tally/Tlzrw1.h"

#include <gtest/gtest.h>

namespace glypharo {
namespace {

using test::TempFolder;

class TallyModelTest : public ::testing::Test {
protected:
    // A model as the program builds it at start: callbacks wired, loaded.
    std::unique_ptr<TallyModel> start()
    {
        auto model = std::make_unique<TallyModel>(folder.path());
        model->setConfirm([this](const std::string& q) {
            questions.push_back(q);
            return answer;
        });
        model->setErrorReport([this](const std::string& e) { errors.push_back(e); });
        model->setPlayerSource([this] { return players; });
        model->FormCreate();
        return model;
    }
    // Follows every named player through the current-game list.
    void follow(TallyModel& model, const std::vector<std::string>& names)
    {
        model.setChecklist(names);
        for (int i = 0; i < static_cast<int>(names.size()); ++i) {
            model.checklistClickCheck(i);
        }
    }
    std::vector<std::string> row(const TallyModel& model, const std::string& name)
    {
        for (int r = 1; r < model.table().rowCount(); ++r) {
            if (model.table().cell(0, r) == name) {
                const auto& cells = model.table().row(r);
                return {cells.begin() + 1, cells.end()};
            }
        }
        return {};
    }
    std::string savedText()
    {
        const auto bytes = Tlzrw1::decompressBytes(test::readBytes(folder / TallyFile::kFileName));
        return {bytes.begin(), bytes.end()};
    }

    TempFolder folder;
    std::vector<std::string> players;
    std::vector<std::string> questions;
    std::vector<std::string> errors;
    bool answer = true;
};

TEST_F(TallyModelTest, FirstRunShowsZerosAndOneGameIsSaved)
{
    auto model = start();
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(model->mylabel(n), "0");
    }
    EXPECT_TRUE(errors.empty());
    players = {"Bob", "Carol"};
    follow(*model, players);
    EXPECT_TRUE(model->checklist()[0].ticked);
    model->addgame("addtomine");
    EXPECT_EQ(model->mylabel(1), "1");
    EXPECT_EQ(model->mylabel(2), "1");
    ASSERT_TRUE(model->FormDestroy());
    const std::string text = savedText();
    EXPECT_EQ(text.substr(0, 8), "9\r\n3\r\n0\r");
    EXPECT_EQ(folder.names(), std::vector<std::string>{TallyFile::kFileName});
}

TEST_F(TallyModelTest, GameCountsForTalliedPlayersPresentByWinner)
{
    struct Case {
        const char* name;
        std::vector<std::string> present;
        std::string winner;
        std::vector<std::string> bob;
        std::vector<std::string> carol;
    } cases[] = {
        {"Bob wins", {"Bob", "Carol"}, "Bob", {"1", "1", "0", "0", "1", "1", "0", "0"},
            {"1", "0", "0", "1", "1", "0", "0", "1"}},
        {"I win, Carol away", {"Bob"}, "addtomine", {"1", "0", "1", "0", "1", "0", "1", "0"},
            {"0", "0", "0", "0", "0", "0", "0", "0"}},
        {"a third player wins", {"Bob", "Dave"}, "Dave", {"1", "0", "0", "1", "1", "0", "0", "1"},
            {"0", "0", "0", "0", "0", "0", "0", "0"}},
        // The list finds "bob" as Bob, but the winner must match exactly.
        {"winner in other case", {"bob"}, "bob", {"1", "0", "0", "1", "1", "0", "0", "1"},
            {"0", "0", "0", "0", "0", "0", "0", "0"}},
    };
    for (const auto& c : cases) {
        TempFolder fresh;
        TallyModel model(fresh.path());
        model.setPlayerSource([&] { return c.present; });
        model.FormCreate();
        follow(model, {"Bob", "Carol"});
        model.addgame(c.winner);
        EXPECT_EQ(row(model, "Bob"), c.bob) << c.name;
        EXPECT_EQ(row(model, "Carol"), c.carol) << c.name;
        EXPECT_EQ(model.mylabel(2), c.winner == "addtomine" ? "1" : "0") << c.name;
    }
}

TEST_F(TallyModelTest, DroppingPlayersKeepsListAndRowsAligned)
{
    auto model = start();
    follow(*model, {"A", "B", "C", "D"});
    model->listbox_tallyClick(3);
    answer = false;
    model->listbox_tallyClickCheck(1, false);
    EXPECT_TRUE(model->listbox_tally()[1].ticked);
    EXPECT_EQ(model->listbox_tally().size(), 4u);
    answer = true;
    model->listbox_tallyClickCheck(3, false); // the last, selected
    model->listbox_tallyClickCheck(1, false); // a middle one
    EXPECT_EQ(questions.back(), "This will delete B's Tally, Are you want to delete it?");
    ASSERT_EQ(model->listbox_tally().size(), 2u);
    ASSERT_EQ(model->table().rowCount(), 3);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(model->table().cell(0, i + 1), model->listbox_tally()[static_cast<std::size_t>(i)].name);
    }
    EXPECT_EQ(model->listbox_tally()[1].name, "C");
    EXPECT_EQ(model->selectedIndex(), -1);
    EXPECT_FALSE(model->checklist()[1].ticked);
}

TEST_F(TallyModelTest, ReloadZeroesSessionAndKeepsTotals)
{
    auto model = start();
    players = {"Bob"};
    follow(*model, players);
    model->addgame("Bob");
    model->addword("QUIZ", 22);
    ASSERT_TRUE(model->FormDestroy());
    model = start();
    EXPECT_EQ(row(*model, "Bob"), (std::vector<std::string>{"1", "1", "0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(model->mylabel(3), "QUIZ (22)");
    EXPECT_EQ(model->bestWordThreshold(), 22);
    model->listbox_tallyClick(0);
    EXPECT_EQ(model->label(1), "1");
    EXPECT_EQ(model->label(5), "0");
    EXPECT_EQ(model->label_hisname(), "Bob Wins:");
    EXPECT_EQ(model->label_hisnametop(), "Bob's Tally");
    model->addgame("Bob");
    EXPECT_EQ(model->label(2), "2");
    EXPECT_EQ(model->label(6), "1");
}

TEST_F(TallyModelTest, ResetClearsEverythingAndTheBestWordThreshold)
{
    auto model = start();
    follow(*model, {"Bob"});
    model->addword("QUIZ", 22);
    answer = false;
    model->button_resetClick();
    EXPECT_EQ(model->listbox_tally().size(), 1u);
    answer = true;
    model->button_resetClick();
    EXPECT_EQ(questions.back(), "Are you sure you want to reset the Tally?");
    EXPECT_EQ(model->mylabel(3), "0");
    EXPECT_EQ(model->bestWordThreshold(), 0);
    EXPECT_TRUE(model->listbox_tally().empty());
    EXPECT_EQ(model->table().rowCount(), 1);
    ASSERT_TRUE(model->FormDestroy());

    model = start();
    EXPECT_EQ(model->mylabel(1), "");
    EXPECT_EQ(model->mylabel(2), "");
    EXPECT_EQ(model->mylabel(3), " ()");
    EXPECT_EQ(model->mylabel(4), "");
    model->addgame("addtomine");
    EXPECT_EQ(model->mylabel(1), "1");
    EXPECT_EQ(model->mylabel(2), "1");
}

TEST_F(TallyModelTest, FailedSaveKeepsThePreviousTally)
{
    auto model = start();
    follow(*model, {"Bob"});
    ASSERT_TRUE(model->FormDestroy());
    const auto before = test::readBytes(folder / TallyFile::kFileName);

    model->addgame("addtomine");
    using Writer = TallyFile::Writer;
    const Writer failures[] = {
        [](std::FILE* f, std::span<const std::uint8_t> b) { // disk full half way
            std::fwrite(b.data(), 1, b.size() / 2, f);
            return false;
        },
        [](std::FILE*, std::span<const std::uint8_t>) { return false; },
    };
    for (const Writer& failure : failures) {
        model->file().setWriter(failure);
        EXPECT_FALSE(model->FormDestroy());
        EXPECT_EQ(test::readBytes(folder / TallyFile::kFileName), before);
        EXPECT_EQ(folder.names(), std::vector<std::string>{TallyFile::kFileName});
    }
}

TEST_F(TallyModelTest, UnreadableTallyIsKeptAsBadAndReported)
{
    const std::vector<std::vector<std::uint8_t>> damaged = {
        test::bytesOf("not a tally"),
        Tlzrw1::compressBytes(test::bytesOf("12\r\n1\r\n")),
        {'W', 'R', 'Z', 'L', 9, 0, 0, 0},
    };
    for (const auto& bytes : damaged) {
        errors.clear();
        test::writeBytes(folder / TallyFile::kFileName, bytes);
        auto model = start();
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_EQ(test::readBytes(folder / "Glypharotally.tld.bad"), bytes);
        EXPECT_EQ(model->table().rowCount(), 1);
        EXPECT_EQ(model->mylabel(1), "0");
        EXPECT_TRUE(model->listbox_tally().empty());
        ASSERT_TRUE(model->FormDestroy());
        EXPECT_NO_THROW(TallyFile(folder.path()).read());
    }
}

} // namespace
} // namespace glypharo
