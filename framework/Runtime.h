#pragma once
// Start-up, the event loop and the clean-up of the layer.

#include <memory>

// The layer's hold on this process: the GUI connection and the toolkit's application object
// live exactly as long as it does, so keep it in main's scope. Its end is the layer's clean-up:
// the windows dropped (without events), the application object, then the toolkit. Callers
// release their media and menus before it ends.
class Runtime {
public:
    ~Runtime();
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

private:
    friend Runtime RunFrameworkInitialization(int& argc, char** argv);
    Runtime(int& argc, char** argv);

    struct Toolkit;
    std::unique_ptr<Toolkit> itsToolkit;
};

// Sets the layer up for this process: SIGXFSZ ignored (a write past the file-size limit fails
// instead of ending the process), the GUI connection, menu shortcuts. Call once, first in main,
// before any window, picture or sound is made. Without a usable display, or when the display
// platform asked for cannot be loaded, writes one line to standard error saying which and ends
// the process with status 1.
[[nodiscard]] Runtime RunFrameworkInitialization(int& argc, char** argv);

// Raises the application's Open, then runs the event loop until the application quits; returns
// the exit code. While it runs, SIGTERM, SIGINT and SIGHUP ask the application to quit as its
// quit item does; one that was ignored when it began stays ignored. Should the toolkit end the
// process from inside the loop (it does when the display connection is lost), the application's
// Close is raised and the process ends with status 1.
int RuntimeRun();
