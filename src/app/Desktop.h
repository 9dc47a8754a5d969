#pragma once

#include <QString>

#include <functional>

namespace glypharo {

// The shell's "open" for web addresses, replaceable in tests. Returns false
// when the system could not open it.
using UrlOpener = std::function<bool(const QString&)>;
void setUrlOpener(UrlOpener opener);
bool openWebAddress(const QString& address);

// The general error report and other short message boxes, replaceable in
// tests (which must never block on a modal box).
using MessageHook = std::function<void(const QString&)>;
void setMessageHook(MessageHook hook);
void showMessage(const QString& text);

} // namespace glypharo
