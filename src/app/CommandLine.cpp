#include "app/CommandLine.h"

#include "protocol/FieldReader.h"

namespace glypharo {

CommandLine parseCommandLine(const std::vector<std::string>& args)
{
    CommandLine cl;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) != 0) {
            cl.positional << QString::fromLocal8Bit(a.data(), static_cast<qsizetype>(a.size()));
            continue;
        }
        if (a == "--help") {
            cl.mode = CommandLine::Mode::Help;
        } else if (a == "--version") {
            cl.mode = CommandLine::Mode::Version;
        } else if (a == "--serve") {
            if (cl.mode == CommandLine::Mode::Game)
                cl.mode = CommandLine::Mode::Serve;
        } else if (a == "--port" || a.rfind("--port=", 0) == 0) {
            std::string value;
            if (a == "--port") {
                if (i + 1 >= args.size()) {
                    cl.mode = CommandLine::Mode::Error;
                    cl.error = "--port needs a number";
                    return cl;
                }
                value = args[++i];
            } else {
                value = a.substr(7);
            }
            auto port = parseNumber(value);
            if (!port || *port < 1 || *port > 65535) {
                cl.mode = CommandLine::Mode::Error;
                cl.error = "--port needs a number from 1 to 65535";
                return cl;
            }
            cl.port = *port;
        } else {
            cl.mode = CommandLine::Mode::Error;
            cl.error = "unknown option " + a;
            return cl;
        }
    }
    return cl;
}

const char* usageText()
{
    return "Usage: glypharo [NAME HOST true|false]\n"
           "       glypharo --serve [--port N]\n"
           "\n"
           "Without arguments, host a solo game against the computer.\n"
           "NAME HOST true    host a game on TCP port 7772 as NAME (HOST is not used)\n"
           "NAME HOST false   join the game hosted at HOST as NAME\n"
           "\n"
           "Options:\n"
           "  --serve         run only the host, without a window (default port 7772)\n"
           "  --port N        the port for --serve\n"
           "  --help          show this text\n"
           "  --version       show the version\n"
           "\n"
           "Settings and the tally live in GLYPHARO_HOME when set, else beside the\n"
           "program when that folder is writable, else in the per-user data folder.\n";
}

} // namespace glypharo
