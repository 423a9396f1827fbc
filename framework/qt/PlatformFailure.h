#pragma once
// When the toolkit cannot start a display platform, standard error gets one line that says why.

class PlatformFailure {
public:
    // Writes the line and ends the process with status 1. When a display is named but no
    // platform that QT_QPA_PLATFORM asks for has a plugin that loads, the line names that
    // setting; otherwise the platform could not reach its display.
    [[noreturn]] static void End();
};
