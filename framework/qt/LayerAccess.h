#pragma once
// What the layer's own parts reach of each other behind the public headers.

#include "framework/Types.h"

class Application;
class MenuItem;
class QWidget;
class RectControl;
class Window;
class WindowWidget;

struct ApplicationAccess {
    // Raises the registered application's Open, the first time only.
    static void OpenOnce();
    // The process ends inside the event loop: raises the registered application's Close, unless
    // it never opened or has had its Close.
    static void CloseAtExit();
    // The registered application has quit: the event loop has nothing more to run.
    static bool HasQuit();
    static bool RunMenuHandler(Application& app, const MenuItem& item);
};

struct WindowAccess {
    static WindowWidget* Widget(const Window& window);
    // The widget of the content area, the parent of the window's controls.
    static QWidget* Content(const Window& window);
    static bool RunMenuHandler(Window& window, const MenuItem& item);
    // The window system made this window the active one.
    static void Activated(Window& window);
    // Closes every window for the application's quit, after none cancelled. False when one did.
    static bool CloseAllForQuit();
    // Program end: drops every window without raising events.
    static void ReleaseAll();
};

struct FolderAccess {
    // Program end: removes the temporary folders this process made or used, where they hold
    // nothing that a live process holds.
    static void RemoveMadeTemporaryFolders();
};

struct SoundAccess {
    // Sounds whose file is still being decoded, released ones included.
    static Int32 LoadsInFlight();
    // Program end: waits a few seconds at most until no sound is being decoded, then drops
    // the released ones.
    static void FinishLoads();
};

struct ControlAccess {
    static QWidget* Widget(const RectControl& control);
    // Gives the control the widget that shows it; made by the control's class.
    static void Attach(RectControl& control, QWidget* widget);
    // Puts the control's widget into the content area of the window that was given it.
    static void PlaceIn(RectControl& control, QWidget* content);
    // A tab panel shows or hides the control with the page it is on.
    static void SetOnShownPage(RectControl& control, bool shown);
};
