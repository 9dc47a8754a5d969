#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace glypharo {

// A tally file whose plain text is not a well-formed table.
class TallyFormatError : public std::runtime_error {
public:
    explicit TallyFormatError(const std::string& detail)
        : std::runtime_error("Tally file is damaged : " + detail)
    {
    }
};

// Checked decimal counter value of a cell: optional "-", digits only.
std::optional<long long> parseCounter(std::string_view cell);

// The tally grid (`stringgrid_scores`): 9 text columns; row 0 is the local
// player's own record, rows 1.. one tallied opponent each.
//
// Text form, lines ending in CR LF: the column count, the row count, then
// every cell column by column (all rows of column 0, then of column 1, ...).
class TallyTable {
public:
    static constexpr int kColumns = 9;
    static constexpr int kMaxRows = 10000;
    using Row = std::array<std::string, kColumns>;

    // One row, all cells "0": the state before anything is loaded.
    TallyTable();

    int rowCount() const { return static_cast<int>(rows_.size()); }
    const std::string& cell(int column, int row) const;
    void setCell(int column, int row, std::string text);
    const Row& row(int r) const;
    void addRow(Row row) { rows_.push_back(std::move(row)); }
    // Keeps rows 0..count-1 (count >= 1).
    void truncate(int count);
    // Removes row r: rows below move up one, the last row is dropped.
    void moverow(int r);

    std::string toText() const;
    // Throws TallyFormatError for anything but 9 columns, 1..kMaxRows rows
    // and a complete cell list; never allocates more than the text holds.
    static TallyTable fromText(std::string_view text);

private:
    std::vector<Row> rows_;
};

} // namespace glypharo
