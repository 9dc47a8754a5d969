// Input: a sequence of operations on the client model (the main window
// without widgets), with fake observer, tally and timers. Each operation is
// one byte; its low three bits pick what happens:
//   0, 1 - the next byte is a length, that many bytes arrive from the host;
//   2    - Timer1 ticks while it runs (at most 64 times);
//   3    - turntimer ticks once if it runs;
//   4    - a tile or a word slot is clicked (numbers from the next bytes);
//   5    - submit, pass or clear;
//   6    - a menu or seat command (Just Watch, the seat menu, the spy list);
//   7    - chat input, a phrase button or a sound (text from the next bytes).
// The first byte chooses hosting, joining or neither. After every operation
// the receive queue must not be left waiting without its timer.

#include "client/ClientModel.h"
#include "client/ClientObserver.h"
#include "fakes/ManualTimer.h"
#include "protocol/Ports.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace glypharo;

using fakes::ManualTimer;

class Observer : public ClientObserver {
public:
    void changed(ChangeSet) override { }
    void playGameSound(const std::string&) override { }
    void playPlayerSound(const std::string&) override { }
    void addChatLine(const std::string&, ChatColour) override { }
    void sendMessage(const std::string& text) override
    {
        // Nothing the client sends may carry the terminator inside it.
        if (text.find('\xff') != std::string::npos)
            std::abort();
    }
    void showMessage(const std::string&) override { }
    void closeWindow() override { closed = true; }
    void loadinifile() override { }
    bool closed = false;
};

class Tally : public TallySink {
public:
    int bestWordThreshold() override { return best; }
    void addword(const std::string&, int points, int) override { best = points; }
    void addgame(const std::string&) override { }
    int best = 0;
};

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size)
        : p_(data)
        , end_(data + size)
    {
    }
    bool empty() const { return p_ == end_; }
    std::uint8_t byte() { return empty() ? 0 : *p_++; }
    std::string_view bytes(std::size_t n)
    {
        n = std::min<std::size_t>(n, static_cast<std::size_t>(end_ - p_));
        std::string_view s(reinterpret_cast<const char*>(p_), n);
        p_ += n;
        return s;
    }

private:
    const std::uint8_t* p_;
    const std::uint8_t* end_;
};

void click(ClientModel& m, Input& in)
{
    const std::uint8_t what = in.byte();
    const int a = static_cast<int>(in.byte() % 12) - 1; // -1 .. 10: out of range too
    const int b = static_cast<int>(in.byte() % 13) - 1;
    if (what & 1)
        m.tile_1Click(a);
    else
        m.word_12Click(a, b);
}

void command(ClientModel& m, Input& in)
{
    const std::uint8_t what = in.byte();
    const int seat = static_cast<int>(in.byte() % 12) - 1;
    switch (what % 8) {
    case 0:
        m.JustWatch1Click();
        break;
    case 1:
        m.label_playername1ContextPopup(seat);
        break;
    case 2:
        m.RemoveFromGame1Click();
        break;
    case 3:
        m.SettoJustWatch1Click();
        break;
    case 4:
        m.UnsetJustWatch1Click();
        break;
    case 5:
        m.listbox_spysMouseMove(seat);
        break;
    case 6:
        m.popup_kickhimClick();
        break;
    default:
        (void)m.button_startClick();
        break;
    }
}

void chat(ClientModel& m, Input& in)
{
    const std::uint8_t what = in.byte();
    switch (what % 3) {
    case 0:
        (void)m.sendit(in.bytes(in.byte() % 64));
        break;
    case 1:
        m.b_phrase1Click(static_cast<int>(in.byte() % 12) - 1);
        break;
    default:
        m.wave4Click(static_cast<int>(in.byte() % 24) - 1);
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Input in(data, size);
    Observer observer;
    Tally tally;
    ManualTimer timer1;
    ManualTimer turntimer;
    ClientModel model(observer, tally, timer1, turntimer);
    model.setTextWidth(
        [](const std::string& text, bool bold) { return static_cast<int>(text.size()) * (bold ? 8 : 7); });
    model.setPlayerName("Fuzz");
    model.setHostAddress("127.0.0.1");
    model.processparams();
    const std::uint8_t mode = in.byte();
    if (mode % 3 == 1)
        model.hostpress();
    else if (mode % 3 == 2)
        model.joinpress();

    while (!in.empty()) {
        const std::uint8_t op = in.byte();
        switch (op & 7) {
        case 0:
        case 1:
            model.sockRead(in.bytes(in.byte()));
            break;
        case 2:
            for (int i = 0; i < 64 && timer1.isActive(); ++i)
                model.Timer1Timer();
            break;
        case 3:
            if (turntimer.isActive())
                model.turntimerTimer();
            break;
        case 4:
            click(model, in);
            break;
        case 5:
            switch ((op >> 3) % 4) {
            case 0:
                model.button_submitClick();
                break;
            case 1:
                model.button_passClick();
                break;
            case 2:
                model.button_clearClick();
                break;
            default:
                model.boardRightClick();
                break;
            }
            break;
        case 6:
            command(model, in);
            break;
        default:
            chat(model, in);
            break;
        }
        // A queue that never runs would hide messages: work waits only while
        // Timer1 runs.
        if (!model.receivedlist().empty() && !timer1.isActive() && !observer.closed)
            std::abort();
    }
    return 0;
}
