// Ending the program from outside: a desktop session that ends, `kill` or
// Ctrl-C in the terminal that started it.
#pragma once

#include <string>

/// From now on SIGTERM, SIGINT and SIGHUP close the program as the close
/// buttons of its main windows do, whatever window is open: every dialog is
/// cancelled (a message box as by Escape, never with "Yes") and every shown
/// main window is asked to close, so the state is saved as at every close. A
/// main window may refuse while it stops a run, and close when the run has
/// stopped. Until the program ends this is done again ten times a second, for
/// windows that open or show later (a start-up that goes on after its
/// message box). The windows are asked when the event loop next runs. A
/// second such signal ends the program at once. Call once, after the
/// QApplication is made. False, with `err` saying so, when the socket that
/// hands the signals to the windows cannot be made: the signals then end the
/// program at once, unsaved, as they do by default.
bool CloseOnSignals(std::string* err);
