// Input: the plain text inside a tally file (the first byte drives a few
// window actions afterwards). The text is stored as a real tally file in a
// scratch folder and taken through the tally window's whole life: load,
// the list and own-record labels, games and words recorded, players
// followed, dropped and shown, and the save at exit. Then the saved file
// must load again into the same table.

#include "tally/TallyFile.h"
#include "tally/TallyModel.h"
#include "tally/TallyTable.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

using namespace glypharo;

std::filesystem::path scratchFolder()
{
    const char* tmp = std::getenv("TMPDIR");
    auto folder = std::filesystem::path(tmp && *tmp ? tmp : "/tmp")
        / ("tallytext-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    return folder;
}

void act(TallyModel& m, std::uint8_t how)
{
    const std::vector<std::string> players{"Ann", "bob", "Zed"};
    m.setChecklist(players);
    const int n = static_cast<int>(m.listbox_tally().size());
    m.checklistClickCheck(how % 4 - 1);
    m.listbox_tallyClick(n > 0 ? how % n : -1);
    m.addword("WORD", how, 3);
    m.addgame(how & 1 ? "addtomine" : players[how % 3]);
    if (how & 2)
        m.listbox_tallyClickCheck(n > 0 ? (how >> 2) % n : 0, false);
    if (how & 4)
        m.moverow(how % 7);
    for (int c = 1; c <= 4; ++c)
        (void)m.mylabel(c);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::filesystem::path folder = scratchFolder();
    if (size == 0)
        return 0;
    const std::uint8_t how = data[0];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    TallyFile file(folder);
    // Whatever table the text holds, it goes to disk as the program writes it.
    bool readable = true;
    TallyTable stored;
    try {
        stored = TallyTable::fromText(text);
    } catch (const TallyFormatError&) {
        readable = false;
    }
    std::filesystem::remove(file.path());
    std::filesystem::remove(file.badPath());
    if (readable && !file.write(stored))
        std::abort();

    TallyModel model(folder);
    model.setConfirm([how](const std::string&) { return (how & 8) != 0; });
    model.setErrorReport([](const std::string&) {});
    model.FormCreate();
    // A readable file loads whole; only the session columns are reset.
    if (readable && model.table().rowCount() != stored.rowCount())
        std::abort();
    act(model, how);
    if (!model.FormDestroy())
        std::abort();
    const std::string saved = model.table().toText();
    if (TallyFile(folder).read().toText() != saved)
        std::abort();
    return 0;
}
