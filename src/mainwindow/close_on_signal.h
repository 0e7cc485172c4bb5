// Ending the program from outside: a desktop session that ends, `kill` or
// Ctrl-C in the terminal that started it.
#pragma once

/// From now on SIGTERM, SIGINT and SIGHUP ask every shown main window to
/// close, as its close button does, so the state is saved as at every close;
/// a window that refuses (a run is going) stays open. The windows are asked
/// when the event loop next runs. A second such signal ends the program at
/// once. Call once, after the QApplication is made.
void CloseOnSignals();
