#include "widgets/ChatView.h"

#include "widgets/Smilies.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrlQuery>

namespace glypharo {

namespace {

// Which style a run was drawn in, kept on its character format.
constexpr int kStyleProperty = QTextFormat::UserProperty + 1;
const QString kLinkScheme = QStringLiteral("chatlink");
const QString kPicturePrefix = QStringLiteral("smiley:");

QString chatFontFamily()
{
    const QStringList families = QFontDatabase::families();
    for (const char* name : {"Arial", "Liberation Sans", "DejaVu Sans"}) {
        if (families.contains(QString::fromLatin1(name)))
            return QString::fromLatin1(name);
    }
    return QApplication::font().family();
}

// The designed looks; 6..14 are the seats' lines in the window text
// colour until their first line recolours them.
ChatView::StyleLook designedLook(int style, const QColor& windowText)
{
    switch (style) {
    case 0:
        return {QColor(0, 0, 255)};
    case 1:
        return {QColor(0, 0, 255), true};
    case 2:
        return {QColor(0, 0, 128), true};
    case 3:
        return {QColor(128, 0, 0), false, true};
    case 4:
    case 5:
        return {QColor(0, 128, 0), false, false, true};
    default:
        return {windowText};
    }
}

// ":)#NN" from a picture resource name "smiley:<index>:<size>".
QString pictureCode(const QString& name)
{
    bool ok = false;
    const int index = name.section(QLatin1Char(':'), 1, 1).toInt(&ok);
    return ok ? QStringLiteral(":)#%1").arg(10 + index) : QString();
}

} // namespace

const QColor ChatView::kBackground(241, 240, 220);

ChatView::ChatView(QWidget* parent)
    : QTextBrowser(parent)
{
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setUndoRedoEnabled(false);
    document()->setUndoRedoEnabled(false);
    document()->setDocumentMargin(3);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, kBackground);
    setPalette(pal);
    setTextInteractionFlags(Qt::TextBrowserInteraction);
    setContextMenuPolicy(Qt::NoContextMenu);
    for (int style = 0; style < kStyleCount; ++style)
        looks_[static_cast<std::size_t>(style)] = designedLook(style, pal.color(QPalette::WindowText));
    QFont font(chatFontFamily());
    font.setPointSize(textSize_);
    document()->setDefaultFont(font);
    end_ = QTextCursor(document());
    connect(this, &QTextBrowser::anchorClicked, this, &ChatView::onAnchorClicked);
}

ChatView::StyleLook ChatView::styleLook(int style) const
{
    if (style < 0 || style >= kStyleCount)
        return {};
    return looks_[static_cast<std::size_t>(style)];
}

QTextCharFormat ChatView::formatFor(int style) const
{
    const StyleLook& look = looks_[static_cast<std::size_t>(style)];
    QTextCharFormat format;
    format.setForeground(look.colour);
    format.setFontWeight(look.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(look.italic);
    format.setFontUnderline(look.underline);
    format.setProperty(kStyleProperty, style);
    return format;
}

void ChatView::setStyleLook(int style, const StyleLook& look)
{
    if (style < 0 || style >= kStyleCount)
        return;
    auto& current = looks_[static_cast<std::size_t>(style)];
    if (current == look)
        return;
    current = look;
    const QTextCharFormat format = formatFor(style);
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    for (const auto& [start, end] : runs_[static_cast<std::size_t>(style)]) {
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(format);
    }
    cursor.endEditBlock();
}

void ChatView::setTextSize(int points)
{
    if (points <= 0 || points == textSize_)
        return;
    textSize_ = points;
    QFont font = document()->defaultFont();
    font.setPointSize(points);
    document()->setDefaultFont(font);
}

void ChatView::remember(int style, int start, int end)
{
    auto& ranges = runs_[static_cast<std::size_t>(style)];
    if (!ranges.empty() && ranges.back().second == start)
        ranges.back().second = end;
    else
        ranges.emplace_back(start, end);
}

void ChatView::beginLine()
{
    // One edit block per line: the document is laid out once per line, not
    // once per run.
    end_.beginEditBlock();
    end_.movePosition(QTextCursor::End);
    if (!firstLine_)
        end_.insertBlock();
    firstLine_ = false;
}

void ChatView::addText(const QString& text, int style)
{
    if (style < 0 || style >= kStyleCount || text.isEmpty())
        return;
    const int start = end_.position();
    end_.insertText(text, formatFor(style));
    remember(style, start, end_.position());
}

void ChatView::addLink(const QString& text, int number)
{
    QUrl url;
    url.setScheme(kLinkScheme);
    url.setPath(QString::number(number));
    url.setQuery(QString::fromLatin1(QUrl::toPercentEncoding(text)), QUrl::StrictMode);
    QTextCharFormat format = formatFor(kLinkStyle);
    format.setAnchor(true);
    format.setAnchorHref(url.toString(QUrl::FullyEncoded));
    const int start = end_.position();
    end_.insertText(text, format);
    remember(kLinkStyle, start, end_.position());
}

int ChatView::pictureSize() const
{
    return QFontMetrics(document()->defaultFont()).height() + 2;
}

void ChatView::addPicture(int index)
{
    const int size = pictureSize();
    const qreal dpr = devicePixelRatioF();
    const QString name = QStringLiteral("%1%2:%3:%4").arg(kPicturePrefix).arg(index).arg(size).arg(dpr);
    const QUrl url(name);
    if (document()->resource(QTextDocument::ImageResource, url).isNull())
        document()->addResource(QTextDocument::ImageResource, url, Smilies::image(index, size, dpr));
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(size);
    format.setHeight(size);
    format.setVerticalAlignment(QTextCharFormat::AlignMiddle);
    end_.insertImage(format);
}

void ChatView::endLine()
{
    end_.endEditBlock();
    if (scrollOff_)
        return;
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->maximum());
}

void ChatView::clearChat()
{
    clear();
    for (auto& ranges : runs_)
        ranges.clear();
    end_ = QTextCursor(document());
    firstLine_ = true;
}

int ChatView::lineCount() const
{
    return firstLine_ ? 0 : document()->blockCount();
}

QString ChatView::plainText(int from, int to) const
{
    QString out;
    for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        if (block.position() > from)
            out += QLatin1Char('\n');
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int start = std::max(from, fragment.position());
            const int end = std::min(to, fragment.position() + fragment.length());
            if (start >= end)
                continue;
            if (fragment.charFormat().isImageFormat())
                out += pictureCode(fragment.charFormat().toImageFormat().name());
            else
                out += fragment.text().mid(start - fragment.position(), end - start);
        }
    }
    return out;
}

QMimeData* ChatView::createMimeDataFromSelection() const
{
    const QTextCursor cursor = textCursor();
    auto* data = new QMimeData;
    data->setText(plainText(cursor.selectionStart(), cursor.selectionEnd()));
    return data;
}

void ChatView::copyPlainText()
{
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection())
        return;
    QApplication::clipboard()->setText(plainText(cursor.selectionStart(), cursor.selectionEnd()));
}

void ChatView::onAnchorClicked(const QUrl& url)
{
    if (url.scheme() != kLinkScheme)
        return;
    bool ok = false;
    const int number = url.path().toInt(&ok);
    if (!ok)
        return;
    const QByteArray encoded = url.query(QUrl::FullyEncoded).toLatin1();
    emit linkClicked(number, QUrl::fromPercentEncoding(encoded));
}

} // namespace glypharo
