#pragma once
// Start-up, the event loop and the clean-up of the layer.

// Sets the layer up for this process (the GUI connection, menu shortcuts).
// Call once, before any window, picture or sound is made.
void RunFrameworkInitialization(int& argc, char** argv);

// Raises the application's Open, then runs the event loop until the application quits;
// returns the exit code.
int RuntimeRun();

// The layer's own clean-up: drops the windows (without events) and the application object,
// then Qt. Callers release their media and menus before it.
void RuntimeShutdown();
