#include "app/ServeMain.h"

#include "dict/TDictn.h"
#include "dict/qt/QtResourceWordList.h"
#include "host/runtime/HostRuntime.h"
#include "net/SockErrors.h"
#include "protocol/FieldReader.h"
#include "protocol/Protocol.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include <fcntl.h>
#include <unistd.h>

namespace glypharo {

namespace {

// Self-pipe: the signal handler only writes a byte; the event loop reads it.
int signalPipe[2] = {-1, -1};

extern "C" void onStopSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] auto n = ::write(signalPipe[1], &byte, 1);
}

void logLine(std::string_view line)
{
    std::fprintf(stderr, "glypharo: %.*s\n", static_cast<int>(line.size()), line.data());
    std::fflush(stderr);
}

// The port of "--port N" or "--port=N"; kGamePort without one; nullopt when
// the value is not a port.
std::optional<int> servePort(int argc, char** argv)
{
    int port = kGamePort;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        std::optional<std::string_view> value;
        if (arg == "--port") {
            if (i + 1 >= argc)
                return std::nullopt;
            value = argv[++i];
        } else if (arg.starts_with("--port=")) {
            value = arg.substr(7);
        }
        if (!value)
            continue;
        auto n = parseNumber(*value);
        if (!n || *n < 0 || *n > 65535)
            return std::nullopt;
        port = *n;
    }
    return port;
}

bool installStopSignals()
{
    if (::pipe(signalPipe) != 0)
        return false;
    for (int fd : signalPipe) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    struct sigaction sa { };
    sa.sa_handler = onStopSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &sa, nullptr);
    ::sigaction(SIGTERM, &sa, nullptr);
    return true;
}

void removeStopSignals()
{
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    for (int& fd : signalPipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

} // namespace

int runServe(int argc, char** argv, const std::function<int()>& botSpeedOf)
{
    const std::optional<int> port = servePort(argc, argv);
    if (!port) {
        std::fputs("glypharo: --port needs a port number from 0 to 65535\n", stderr);
        return 2;
    }
    QCoreApplication app(argc, argv);
    const int botSpeed = botSpeedOf ? botSpeedOf() : 1000;
    if (!installStopSignals()) {
        std::perror("glypharo: pipe");
        return 1;
    }
    QSocketNotifier stopNotifier(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&stopNotifier, &QSocketNotifier::activated, &app, [] {
        char drain[16];
        while (::read(signalPipe[0], drain, sizeof drain) > 0) { }
        QCoreApplication::quit();
    });

    int exitCode = 0;
    {
        // The dictionary outlives the host that asks it.
        QtResourceWordList source;
        TDictn spell(source, [](const std::string& message) { logLine(message); });
        HostRuntime host;
        host.server().eventLog = logLine;
        host.attachEngine(spell, QtResourceWordList::computerwords(), [botSpeed] { return botSpeed; });
        try {
            host.listen(static_cast<quint16>(*port));
        } catch (const ESockException& e) {
            logLine("cannot listen on port " + std::to_string(*port) + ": " + e.what());
            exitCode = 1;
        }
        if (exitCode == 0) {
            logLine("hosting on port " + std::to_string(host.port()));
            QCoreApplication::exec();
            logLine("stopping");
            host.shutdown();
        }
    }
    removeStopSignals();
    return exitCode;
}

} // namespace glypharo
