#pragma once

#include "tally/TallyFile.h"
#include "tally/TallyTable.h"

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace glypharo {

// One entry of a check list: a player's name and its tick box.
struct TallyEntry {
    std::string name;
    bool ticked = false;
};

// Everything the tally window (`Ttallylist`) shows and does, without the
// window: the table, the list of tallied opponents (`listbox_tally`, rows
// 1.. of the table in the same order), the players of the current game
// (`checklist`), the selected player and every label text. The window
// renders this model and forwards its clicks; questions go through the
// confirm callback, load failures through the error report.
class TallyModel {
public:
    static constexpr const char* kCaption = "Glypharo - Tally List";
    static constexpr const char* kMine = "addtomine";
    static constexpr const char* kResetQuestion = "Are you sure you want to reset the Tally?";

    // Returns true for Yes. Without a callback the answer is No.
    using Confirm = std::function<bool(const std::string& question)>;
    using ErrorReport = std::function<void(const std::string& message)>;
    // The other seated players of the current game, in seat order.
    using PlayerSource = std::function<std::vector<std::string>()>;

    explicit TallyModel(std::filesystem::path folder);

    void setConfirm(Confirm confirm) { confirm_ = std::move(confirm); }
    void setErrorReport(ErrorReport report) { errorReport_ = std::move(report); }
    void setPlayerSource(PlayerSource source) { playerSource_ = std::move(source); }
    // Called after every change of what the window shows.
    void setOnChanged(std::function<void()> changed) { onChanged_ = std::move(changed); }
    TallyFile& file() { return file_; }

    // Load at program start; save at program end (false when it failed; the
    // previous file is then kept).
    void FormCreate();
    bool FormDestroy();

    void loadtally();
    void addword(const std::string& word, int points, int column = 3);
    void addgame(const std::string& winner);
    long long addit(int column, int row);
    void addtomineincrease(int column);
    void moverow(int row);

    // The current-game list, ticked where the name is tallied.
    void setChecklist(const std::vector<std::string>& names);
    void refillChecklist();

    void checklistClickCheck(int index);
    void listbox_tallyClickCheck(int index, bool nowTicked);
    void listbox_tallyClick(int index);
    void button_resetClick();

    static std::string deleteQuestion(const std::string& name);

    const TallyTable& table() const { return table_; }
    const std::vector<TallyEntry>& listbox_tally() const { return listbox_tally_; }
    const std::vector<TallyEntry>& checklist() const { return checklist_; }
    int selectedIndex() const { return selected_; }
    // mylabel_1..4: games, wins, best word "WORD (points)", best points.
    const std::string& mylabel(int n) const;
    // label_1..8: the selected player's cells 1..8.
    const std::string& label(int n) const;
    const std::string& label_hisname() const { return label_hisname_; }
    const std::string& label_hisnametop() const { return label_hisnametop_; }
    // The points a new word must beat to become the best word (the tag of
    // mylabel_3).
    long long bestWordThreshold() const { return threshold_; }

private:
    int tallyIndexOf(const std::string& name) const;
    void syncChecklistTicks();
    void showPlayer();
    void changed() const;

    TallyFile file_;
    TallyTable table_;
    std::vector<TallyEntry> listbox_tally_;
    std::vector<TallyEntry> checklist_;
    int selected_ = -1;
    std::array<std::string, 5> mylabels_;
    std::array<std::string, 9> labels_;
    std::string label_hisname_;
    std::string label_hisnametop_;
    long long threshold_ = 0;
    bool saveBlocked_ = false;
    Confirm confirm_;
    ErrorReport errorReport_;
    PlayerSource playerSource_;
    std::function<void()> onChanged_;
};

} // namespace glypharo
