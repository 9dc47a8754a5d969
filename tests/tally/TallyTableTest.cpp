#include "tally/TallyTable.h"

#include <gtest/gtest.h>

namespace glypharo {
namespace {

std::string cells(int rows, const std::string& lineEnd = "\r\n")
{
    std::string text;
    for (int i = 0; i < 9 * rows; ++i) {
        text += std::to_string(i) + lineEnd;
    }
    return text;
}

TEST(TallyTable, WritesColumnCountRowCountThenCellsColumnByColumn)
{
    TallyTable table;
    table.addRow({"Bob", "1", "2", "3", "4", "5", "6", "7", "8"});
    table.setCell(3, 0, "ZAP");
    EXPECT_EQ(table.toText(),
        "9\r\n2\r\n0\r\nBob\r\n0\r\n1\r\n0\r\n2\r\nZAP\r\n3\r\n0\r\n4\r\n0\r\n5\r\n0\r\n6\r\n"
        "0\r\n7\r\n0\r\n8\r\n");
    EXPECT_EQ(TallyTable::fromText(table.toText()).toText(), table.toText());
    table.setCell(0, 1, "Line\r\nBreak");
    EXPECT_EQ(TallyTable::fromText(table.toText()).cell(0, 1), "Line  Break");
}

TEST(TallyTable, ReadsOtherLineEndsAndEmptyCells)
{
    const TallyTable lf = TallyTable::fromText("9\n1\n" + cells(1, "\n"));
    EXPECT_EQ(lf.cell(8, 0), "8");
    std::string lastUnterminated = "9\r\n1\r\n" + cells(1);
    lastUnterminated.resize(lastUnterminated.size() - 2);
    EXPECT_EQ(TallyTable::fromText(lastUnterminated).cell(8, 0), "8");
    const TallyTable empty = TallyTable::fromText("9\r\n1\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
    EXPECT_EQ(empty.cell(0, 0), "");
    EXPECT_EQ(empty.cell(8, 0), "");
}

TEST(TallyTable, RefusesAbsurdSizesAndShortCellLists)
{
    const std::string bad[] = {
        "",
        "9\r\n",
        "8\r\n1\r\n" + cells(1),
        "10\r\n1\r\n" + cells(2),
        "nine\r\n1\r\n" + cells(1),
        "9\r\n0\r\n",
        "9\r\n-1\r\n",
        "9\r\n10001\r\n" + cells(2),
        "9\r\n99999999999999999999\r\n",
        "9\r\n3\r\n" + cells(2),
    };
    for (const std::string& text : bad) {
        EXPECT_THROW(TallyTable::fromText(text), TallyFormatError) << text.substr(0, 12);
    }
    EXPECT_EQ(TallyTable::fromText("9\r\n10000\r\n" + cells(10000)).rowCount(), 10000);
}

TEST(TallyTable, MoverowKeepsOwnRecordAndOrder)
{
    struct Case {
        int rows;
        int remove;
        std::vector<std::string> left;
    } cases[] = {
        {4, 3, {"0", "p1", "p2"}},
        {4, 2, {"0", "p1", "p3"}},
        {4, 1, {"0", "p2", "p3"}},
        {2, 1, {"0"}},
        {3, 0, {"0", "p1", "p2"}},
        {3, 3, {"0", "p1", "p2"}},
    };
    for (const auto& c : cases) {
        TallyTable table;
        for (int r = 1; r < c.rows; ++r) {
            table.addRow({"p" + std::to_string(r)});
        }
        table.moverow(c.remove);
        std::vector<std::string> names;
        for (int r = 0; r < table.rowCount(); ++r) {
            names.push_back(table.cell(0, r));
        }
        EXPECT_EQ(names, c.left) << c.rows << " " << c.remove;
    }
}

} // namespace
} // namespace glypharo
