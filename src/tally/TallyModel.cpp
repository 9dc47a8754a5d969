#include "tally/TallyModel.h"

#include <stdexcept>

namespace glypharo {

namespace {

char lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameTextIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

TallyModel::TallyModel(std::filesystem::path folder)
    : file_(std::move(folder))
{
    mylabels_.fill("0");
    labels_.fill("0");
}

void TallyModel::changed() const
{
    if (onChanged_) {
        onChanged_();
    }
}

const std::string& TallyModel::mylabel(int n) const
{
    if (n < 1 || n > 4) {
        throw std::out_of_range("mylabel_" + std::to_string(n));
    }
    return mylabels_[static_cast<std::size_t>(n)];
}

const std::string& TallyModel::label(int n) const
{
    if (n < 1 || n > 8) {
        throw std::out_of_range("label_" + std::to_string(n));
    }
    return labels_[static_cast<std::size_t>(n)];
}

std::string TallyModel::deleteQuestion(const std::string& name)
{
    return "This will delete " + name + "'s Tally, Are you want to delete it?";
}

void TallyModel::FormCreate()
{
    table_ = TallyTable();
    listbox_tally_.clear();
    selected_ = -1;
    if (!file_.exists()) {
        changed();
        return;
    }
    try {
        table_ = file_.read();
    } catch (const std::exception& e) {
        table_ = TallyTable();
        // Keep the unreadable file for recovery; if even that fails, do not
        // let the next exit overwrite it.
        saveBlocked_ = !file_.keepAside();
        if (errorReport_) {
            errorReport_(e.what());
        }
        changed();
        return;
    }
    loadtally();
}

bool TallyModel::FormDestroy()
{
    return !saveBlocked_ && file_.write(table_);
}

void TallyModel::loadtally()
{
    mylabels_[1] = table_.cell(1, 0);
    mylabels_[2] = table_.cell(2, 0);
    mylabels_[4] = table_.cell(4, 0);
    mylabels_[3] = table_.cell(3, 0) + " (" + table_.cell(4, 0) + ")";
    threshold_ = parseCounter(table_.cell(4, 0)).value_or(0);
    listbox_tally_.clear();
    for (int r = 1; r < table_.rowCount(); ++r) {
        listbox_tally_.push_back({table_.cell(0, r), true});
        for (int c = 5; c <= 8; ++c) {
            table_.setCell(c, r, "0");
        }
    }
    syncChecklistTicks();
    changed();
}

void TallyModel::addword(const std::string& word, int points, int column)
{
    if (column < 1 || column > 3) {
        throw std::out_of_range("addword column " + std::to_string(column));
    }
    table_.setCell(column, 0, word);
    table_.setCell(column + 1, 0, std::to_string(points));
    mylabels_[static_cast<std::size_t>(column)] = word + " (" + std::to_string(points) + ")";
    if (column == 3) {
        threshold_ = points;
    }
    changed();
}

long long TallyModel::addit(int column, int row)
{
    const long long value = parseCounter(table_.cell(column, row)).value_or(0) + 1;
    table_.setCell(column, row, std::to_string(value));
    return value;
}

void TallyModel::addtomineincrease(int column)
{
    if (column < 1 || column > 4) {
        throw std::out_of_range("mylabel_" + std::to_string(column));
    }
    addit(column, 0);
    mylabels_[static_cast<std::size_t>(column)] = table_.cell(column, 0);
}

void TallyModel::addgame(const std::string& winner)
{
    refillChecklist();
    addtomineincrease(1);
    if (winner == kMine) {
        addtomineincrease(2);
    }
    for (const TallyEntry& player : checklist_) {
        const int index = tallyIndexOf(player.name);
        if (index < 0) {
            continue;
        }
        const int row = index + 1;
        for (int c = 1; c <= 8; ++c) {
            if (table_.cell(c, row).empty()) {
                table_.setCell(c, row, "0");
            }
        }
        addit(1, row);
        addit(5, row);
        // The list matches names in any letter case, the winner only exactly.
        const int won = table_.cell(0, row) == winner ? 2 : winner == kMine ? 3 : 4;
        addit(won, row);
        addit(won + 4, row);
    }
    if (selected_ >= 0) {
        showPlayer();
    }
    changed();
}

void TallyModel::moverow(int row)
{
    table_.moverow(row);
}

int TallyModel::tallyIndexOf(const std::string& name) const
{
    for (std::size_t i = 0; i < listbox_tally_.size(); ++i) {
        if (sameTextIgnoringCase(listbox_tally_[i].name, name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void TallyModel::syncChecklistTicks()
{
    for (TallyEntry& entry : checklist_) {
        entry.ticked = tallyIndexOf(entry.name) >= 0;
    }
}

void TallyModel::setChecklist(const std::vector<std::string>& names)
{
    checklist_.clear();
    for (const std::string& name : names) {
        checklist_.push_back({name, false});
    }
    syncChecklistTicks();
    changed();
}

void TallyModel::refillChecklist()
{
    if (playerSource_) {
        setChecklist(playerSource_());
    }
}

void TallyModel::checklistClickCheck(int index)
{
    if (index < 0 || index >= static_cast<int>(checklist_.size())) {
        return;
    }
    const std::string name = checklist_[static_cast<std::size_t>(index)].name;
    if (tallyIndexOf(name) < 0) {
        listbox_tally_.push_back({name, true});
        TallyTable::Row row;
        row.fill("0");
        row[0] = name;
        table_.addRow(row);
    }
    // A tick in the current-game list shows "tallied"; un-ticking a name
    // never removes its tally.
    syncChecklistTicks();
    changed();
}

void TallyModel::listbox_tallyClickCheck(int index, bool nowTicked)
{
    if (index < 0 || index >= static_cast<int>(listbox_tally_.size())) {
        return;
    }
    TallyEntry& entry = listbox_tally_[static_cast<std::size_t>(index)];
    entry.ticked = nowTicked;
    if (!nowTicked) {
        if (confirm_ && confirm_(deleteQuestion(entry.name))) {
            moverow(index + 1);
            listbox_tally_.erase(listbox_tally_.begin() + index);
            if (selected_ == index) {
                selected_ = -1;
            } else if (selected_ > index) {
                --selected_;
            }
            syncChecklistTicks();
        } else {
            entry.ticked = true;
        }
    }
    changed();
}

void TallyModel::listbox_tallyClick(int index)
{
    if (index < 0 || index >= static_cast<int>(listbox_tally_.size())) {
        return;
    }
    selected_ = index;
    showPlayer();
    changed();
}

void TallyModel::showPlayer()
{
    const int row = selected_ + 1;
    for (int c = 1; c <= 8; ++c) {
        labels_[static_cast<std::size_t>(c)] = table_.cell(c, row);
    }
    const std::string& name = table_.cell(0, row);
    label_hisname_ = name + " Wins:";
    label_hisnametop_ = name + "'s Tally";
}

void TallyModel::button_resetClick()
{
    if (!confirm_ || !confirm_(kResetQuestion)) {
        return;
    }
    // (Whole-array fill: assigning a literal element by element trips a
    // false -Wrestrict in GCC 12 at -O3.)
    mylabels_.fill(std::string(1, '0'));
    for (int c = 0; c < TallyTable::kColumns; ++c) {
        table_.setCell(c, 0, "");
    }
    listbox_tally_.clear();
    table_.truncate(1);
    labels_.fill("0");
    selected_ = -1;
    // A reset forgets the best word, so its threshold goes too: the next
    // scoring word becomes the new best word.
    threshold_ = 0;
    syncChecklistTicks();
    changed();
}

} // namespace glypharo
