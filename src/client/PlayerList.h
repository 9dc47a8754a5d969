#pragma once

#include "client/ClientContext.h"

#include <string>
#include <string_view>
#include <vector>

namespace glypharo {

// Who sits at the table: the login answer, the seat labels, the spectators'
// spy list, just watching, and the host's removal and watch commands.
class PlayerList {
public:
    explicit PlayerList(ClientContext& ctx)
        : ctx_(ctx)
    {
    }

    // Handlers of host messages; false when the message was dropped.
    bool sendloginfo(std::string_view body);
    bool newplayerinfo(std::string_view body);
    bool playerdisconnected(std::string_view body);
    bool justwatching(std::string_view body);

    void JustWatch1Click();
    // Right click on label_playername<seat>: sets the menu's items and target.
    void label_playername1ContextPopup(int seat);
    void RemoveFromGame1Click();
    void SettoJustWatch1Click();
    void UnsetJustWatch1Click();
    void kicking(int seat);

    void listbox_spysMouseMove(int index);
    void popup_kickhimClick();

    // Names for the tally's check list: the other seats that are taken.
    std::vector<std::string> loadchecklist() const;

private:
    void seatPlayer(int seat, const std::string& name, bool watching);
    void addSpy(int seat, const std::string& name);
    void sendWatch(std::string_view mode);

    ClientContext& ctx_;
};

} // namespace glypharo
