#pragma once

#include <functional>

namespace glypharo {

// `glypharo --serve [--port N]`: the host alone on a QCoreApplication, with no
// window and no client of its own, listening on N (default 7772). The first
// client to connect gets seat 1 and with it seat 1's rights. The dictionary
// file "English" is written in the current folder for the run and removed at
// the end. One line per connection, login, disconnection and game start goes
// to stderr. SIGINT and SIGTERM end it cleanly (exit code 0).
//
// `botSpeed` gives the computer players' delay in milliseconds (500, 1000
// or 2000), which the caller reads from the settings file's "Botspeed"; it is
// asked once the application object exists.
// Returns the process exit code: 0 after a signal, 1 when the port cannot be
// listened on, 2 for a bad command line.
int runServe(int argc, char** argv, const std::function<int()>& botSpeed = {});

} // namespace glypharo
