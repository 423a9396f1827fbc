#pragma once
// Start-up, the event loop and the clean-up of the layer.

// Sets the layer up for this process (the GUI connection, clocks, the random generator).
// Call once, before any window, picture or sound is made.
void RunFrameworkInitialization(int& argc, char** argv);

// Runs the event loop until the application quits; returns the exit code.
int RuntimeRun();

// The layer's own clean-up; callers release their windows, media and menus before it.
void RuntimeShutdown();
