#pragma once

#include "client/ChatText.h"
#include "widgets/ChatView.h"

#include <QColor>
#include <QString>

namespace glypharo {

// Draws a rendered chat line. Header-only, so the widgets stay free of the
// client library: it reads the paragraph's fields and calls the view.
inline QColor chatQColor(ColourValue colour)
{
    return QColor(colourRed(colour), colourGreen(colour), colourBlue(colour));
}

// Chat text is single-byte; bytes above 127 are taken as Latin-1.
inline void showChatParagraph(ChatView& view, const ChatParagraph& paragraph)
{
    ChatView::StyleLook look = view.styleLook(paragraph.style);
    look.colour = chatQColor(paragraph.colour);
    look.bold = true;
    view.setStyleLook(paragraph.style, look);
    view.beginLine();
    for (const ChatRun& run : paragraph.runs) {
        const QString text = QString::fromLatin1(run.text.data(), static_cast<qsizetype>(run.text.size()));
        switch (run.kind) {
        case ChatRun::Kind::Text:
            view.addText(text, run.style);
            break;
        case ChatRun::Kind::Link:
            view.addLink(text, run.link);
            break;
        case ChatRun::Kind::Smiley:
            view.addPicture(run.picture);
            break;
        }
    }
    view.endLine();
}

} // namespace glypharo
