// Shows the chat panel in the size it has beside the board, filled with a
// few lines, for screenshots. `--grab file.png` saves the window and exits.
#include "client/ChatText.h"
#include "widgets/ChatPanel.h"
#include "widgets/ChatView.h"

#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <QVBoxLayout>

using namespace glypharo;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QString grab;
    const QStringList args = app.arguments();
    if (const qsizetype at = args.indexOf(QStringLiteral("--grab")); at >= 0 && at + 1 < args.size())
        grab = args[at + 1];
    int size = 10;
    if (const qsizetype at = args.indexOf(QStringLiteral("--size")); at >= 0 && at + 1 < args.size())
        size = args[at + 1].toInt();

    QWidget window;
    window.setWindowTitle(QStringLiteral("Chat panel"));
    auto* panel = new ChatPanel(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(panel);
    window.resize(298, 333);
    panel->setTextSize(size);

    LinkTable links;
    const struct {
        const char* data;
    } lines[] = {
        {"0+Anna has joined the game.|clMaroon"},
        {"1+Anna chats: hi all :)#10 ready for a game?|$00C00000"},
        {"2+Bram chats: sure, good luck!|clGreen"},
        {"3+Cleo says: Way To Go!|clPurple"},
        {"2+Bram chats: rules are at www.example.org :)#16|clGreen"},
        {"1+Anna chats: thanks :)#14 :)#25|$00C00000"},
        {"4+Dirk waves at everybody|$000080FF"},
        {"0+Cleo: <Chatter Sound> Applause|clMaroon"},
        {"3+Cleo chats: see https://example.com/help for more|clPurple"},
        {"1+Anna chats: :)#22 :)#11 :)#13|$00C00000"},
    };
    for (const auto& line : lines) {
        const ReceivedChat received = chatrecieved(line.data);
        panel->addLine(addlinetochat(received.line, received.colour, links));
    }
    panel->setInputColour(QColor(0, 0, 192));
    window.show();
    if (!grab.isEmpty()) {
        QTimer::singleShot(300, &window, [&] {
            window.grab().save(grab);
            app.quit();
        });
    }
    return app.exec();
}
