#pragma once
// A display connection lost while the program runs is told on standard error in one line, however
// it is noticed: by the toolkit's event thread, by its warnings about requests that failed with
// it, or by Xlib, whose own report would take three lines more. The process then ends with
// status 1.

class DisplayLoss {
public:
    // Until Watch: a connection lost while the toolkit opens it ends the process at once, since
    // nothing is open yet that would close.
    static void WatchConnecting();
    // Watches the toolkit's display connection from now on; only an X11 one can be watched.
    static void Watch();
    // True once the watched connection has broken.
    static bool IsLost();
    // Writes the one line, the first time only; true that time.
    static bool Tell();
    // The same, with only what a signal handler may call.
    static void TellFromSignalHandler();
};
