#pragma once

#include "dict/TDictn.h"
#include "dict/qt/QtResourceWordList.h"
#include "host/runtime/HostRuntime.h"

#include <functional>
#include <memory>

namespace glypharo {

// The host form: never shown. It exists in every copy, writes the
// dictionary file "English" when created and removes it when destroyed;
// only a hosting copy listens.
class HostForm {
public:
    explicit HostForm(std::function<int()> botspeed);
    ~HostForm();

    // Starts listening on the game port; false (after the general error
    // report) when the port cannot be had.
    bool startListening(quint16 port = kGamePort);
    HostRuntime& runtime() { return *runtime_; }
    TDictn& spell() { return *spell_; }

private:
    QtResourceWordList words_;
    std::unique_ptr<TDictn> spell_;
    std::unique_ptr<HostRuntime> runtime_;
};

} // namespace glypharo
