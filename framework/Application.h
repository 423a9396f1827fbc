#pragma once
// The application object: its menu bar and menu handlers, its events, and quitting.

#include "framework/MenuHandlerTable.h"
#include "framework/Types.h"

#include <functional>

class MenuBar;
class ResourceFork;

class Application : public Object {
public:
    Application();
    ~Application() override;

    std::shared_ptr<::MenuBar> MenuBar() const;
    void SetMenuBar(std::shared_ptr<::MenuBar> bar);

    // True: the application quits when its last window has closed.
    bool AutoQuit = false;

    std::shared_ptr<::ResourceFork> ResourceFork() const;

    // Commands go to the frontmost window's handlers first, then to these.
    void AddMenuHandler(const String& itemName, std::function<bool()> handler);
    void AddMenuHandler(const String& itemName, std::function<bool(Int32 index)> handler);

    // Asks every window's CancelClose(true) (any True stops the quit), closes the windows,
    // raises Close and leaves the event loop. Once only.
    void Quit();

    // Once, from RuntimeRun, before any window's Open and before the first timer action.
    virtual void Event_Open();
    // When the application quits.
    virtual void Event_Close();
    // In every enabling pass, before the frontmost window's.
    virtual void Event_EnableMenuItems();

private:
    friend struct ApplicationAccess;

    std::shared_ptr<::MenuBar> itsMenuBar;
    std::shared_ptr<::ResourceFork> itsResourceFork;
    MenuHandlerTable itsMenuHandlers;
    bool itsOpened = false;
    bool itsQuitting = false;
    bool itsClosed = false;
};

// The application object of this process, registered once at start-up.
void RuntimeRegisterAppObject(std::shared_ptr<Application> app);
Application* GetAppObject();

// This platform shows no automatic wait cursor; the switches change nothing.
void DisableAutoWaitCursor();
void EnableAutoWaitCursor();
