#include "app/Desktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

namespace glypharo {

namespace {
UrlOpener& opener()
{
    static UrlOpener o
        = [](const QString& address) { return QDesktopServices::openUrl(QUrl(address, QUrl::StrictMode)); };
    return o;
}

MessageHook& messageHook()
{
    static MessageHook h = [](const QString& text) {
        QMessageBox::information(QApplication::activeWindow(), QStringLiteral("Glypharo"), text);
    };
    return h;
}
} // namespace

void setUrlOpener(UrlOpener o)
{
    opener() = std::move(o);
}

bool openWebAddress(const QString& address)
{
    return opener()(address);
}

void setMessageHook(MessageHook hook)
{
    messageHook() = std::move(hook);
}

void showMessage(const QString& text)
{
    messageHook()(text);
}

} // namespace glypharo
