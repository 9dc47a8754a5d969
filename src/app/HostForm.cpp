#include "app/HostForm.h"

#include "app/Desktop.h"
#include "app/Latin1.h"
#include "net/SockErrors.h"

namespace glypharo {

HostForm::HostForm(std::function<int()> botspeed)
{
    spell_ = std::make_unique<TDictn>(words_, [](const std::string& text) { showMessage(qs(text)); });
    runtime_ = std::make_unique<HostRuntime>();
    runtime_->attachEngine(*spell_, QtResourceWordList::computerwords(), std::move(botspeed));
}

HostForm::~HostForm()
{
    // Connections go first, then the dictionary file.
    runtime_.reset();
    spell_.reset();
}

bool HostForm::startListening(quint16 port)
{
    try {
        runtime_->listen(port);
        return true;
    } catch (const std::exception& e) {
        showMessage(QString::fromLocal8Bit(e.what()));
        return false;
    }
}

} // namespace glypharo
