#include "tally/TallyTable.h"

#include <charconv>

namespace glypharo {

namespace {

// Reads lines ended by CR LF, LF or CR; the end of the text after a line
// end is not a further (empty) line.
class LineReader {
public:
    explicit LineReader(std::string_view text)
        : rest_(text)
    {
    }

    std::optional<std::string_view> next()
    {
        if (rest_.empty()) {
            return std::nullopt;
        }
        const std::size_t end = rest_.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            std::string_view line = rest_;
            rest_ = {};
            return line;
        }
        std::string_view line = rest_.substr(0, end);
        std::size_t skip = 1;
        if (rest_[end] == '\r' && end + 1 < rest_.size() && rest_[end + 1] == '\n') {
            skip = 2;
        }
        rest_.remove_prefix(end + skip);
        return line;
    }

private:
    std::string_view rest_;
};

void checkColumn(int column)
{
    if (column < 0 || column >= TallyTable::kColumns) {
        throw std::out_of_range("tally column " + std::to_string(column));
    }
}

} // namespace

std::optional<long long> parseCounter(std::string_view cell)
{
    if (cell.empty() || cell.front() == '+') {
        return std::nullopt;
    }
    long long value = 0;
    const char* end = cell.data() + cell.size();
    const auto [ptr, ec] = std::from_chars(cell.data(), end, value);
    if (ec != std::errc() || ptr != end) {
        return std::nullopt;
    }
    return value;
}

TallyTable::TallyTable()
{
    Row zero;
    zero.fill("0");
    rows_.push_back(zero);
}

const std::string& TallyTable::cell(int column, int r) const
{
    checkColumn(column);
    return row(r)[static_cast<std::size_t>(column)];
}

void TallyTable::setCell(int column, int r, std::string text)
{
    checkColumn(column);
    if (r < 0 || r >= rowCount()) {
        throw std::out_of_range("tally row " + std::to_string(r));
    }
    rows_[static_cast<std::size_t>(r)][static_cast<std::size_t>(column)] = std::move(text);
}

const TallyTable::Row& TallyTable::row(int r) const
{
    if (r < 0 || r >= rowCount()) {
        throw std::out_of_range("tally row " + std::to_string(r));
    }
    return rows_[static_cast<std::size_t>(r)];
}

void TallyTable::truncate(int count)
{
    if (count >= 1 && count < rowCount()) {
        rows_.resize(static_cast<std::size_t>(count));
    }
}

void TallyTable::moverow(int r)
{
    // Row 0 is the own record and never moves.
    if (r < 1 || r >= rowCount()) {
        return;
    }
    if (rowCount() > 2 && r <= rowCount() - 2) {
        for (int i = r; i < rowCount() - 1; ++i) {
            rows_[static_cast<std::size_t>(i)] = rows_[static_cast<std::size_t>(i) + 1];
        }
    }
    if (rowCount() > 1) {
        rows_.pop_back();
    }
}

std::string TallyTable::toText() const
{
    std::string text = std::to_string(kColumns) + "\r\n" + std::to_string(rowCount()) + "\r\n";
    for (std::size_t c = 0; c < kColumns; ++c) {
        for (const Row& r : rows_) {
            // A line break inside a cell would shift every later cell.
            for (char ch : r[c]) {
                text += (ch == '\r' || ch == '\n') ? ' ' : ch;
            }
            text += "\r\n";
        }
    }
    return text;
}

TallyTable TallyTable::fromText(std::string_view text)
{
    LineReader lines(text);
    const auto columns = lines.next();
    const auto rows = lines.next();
    if (!columns || !rows) {
        throw TallyFormatError("no table size");
    }
    const auto columnCount = parseCounter(*columns);
    if (columnCount != kColumns) {
        throw TallyFormatError("expected 9 columns, found \"" + std::string(*columns) + "\"");
    }
    const auto rowCount = parseCounter(*rows);
    if (!rowCount || *rowCount < 1 || *rowCount > kMaxRows) {
        throw TallyFormatError("row count \"" + std::string(*rows) + "\" out of range");
    }
    TallyTable table;
    table.rows_.assign(static_cast<std::size_t>(*rowCount), Row{});
    for (std::size_t c = 0; c < kColumns; ++c) {
        for (Row& r : table.rows_) {
            const auto line = lines.next();
            if (!line) {
                throw TallyFormatError("cell list cut short");
            }
            r[c] = std::string(*line);
        }
    }
    return table;
}

} // namespace glypharo
