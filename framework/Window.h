#pragma once
// A window: its properties, its controls by name, its menu handlers and its events.
// Open windows are kept front to back; WindowAt(0) is the frontmost.

#include "framework/Color.h"
#include "framework/MenuHandlerTable.h"
#include "framework/Types.h"

#include <functional>
#include <typeinfo>

class MenuBar;

struct WindowProperties {
    // 1: centred over the frontmost other window; any other code: centred on the screen.
    Int32 Placement = 0;
    // The content area, below any menu bar the window shows.
    Int32 Width = 600;
    Int32 Height = 400;
    Int32 MinWidth = 64;
    Int32 MinHeight = 64;
    Int32 MaxWidth = 32000;
    Int32 MaxHeight = 32000;
    // 0: a document window; 1 and 2: a dialog.
    Int32 Frame = 0;
    bool HasBackColor = false;
    Color BackColor = Color(0xFFFFFF);
    String Title{};
    bool Visible = true;
    bool FullScreen = false;
    bool MenuBarVisible = true;
    bool CloseButton = true;
    bool Resizeable = true;
    bool MaximizeButton = true;
    bool MinimizeButton = true;
};

class Window : public Object, public std::enable_shared_from_this<Window> {
public:
    // Make windows with std::make_shared, then call Constructor.
    Window();
    ~Window() override;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Adds the window to the window list, raises Layout, CreateControls and
    // AddMenuHandlers(*this), then shows it when Visible. Open (the controls' first, then the
    // window's) follows from the event loop, after the application's Open.
    void Constructor();

    void SetProperties(const WindowProperties& properties);
    String Title() const;
    Int32 Width() const;
    Int32 Height() const;

    // Brings the window to the front, showing it.
    void Show();
    // Shows the window in front of the others, which take no input meanwhile, and returns
    // once it has closed. Timers keep running.
    void ShowModal();
    // Raises CancelClose(false) (True keeps the window open), then Close; the controls are
    // released. The application quits after its last window when AutoQuit is set.
    void Close();
    // Paints at once what is waiting to be repainted.
    void UpdateNow();

    std::shared_ptr<::MenuBar> MenuBar() const;
    // Shown at the top of the window, above the content area, when MenuBarVisible.
    void SetMenuBar(std::shared_ptr<::MenuBar> bar);

    // Controls, timers and other objects the window holds by name, in the order added.
    void AddControl(const String& name, std::shared_ptr<Object> control);
    template <class T>
    std::shared_ptr<T> ControlByName(const String& name) const
    {
        return std::dynamic_pointer_cast<T>(FindControl(name));
    }

    void AddMenuHandler(const String& itemName, std::function<bool()> handler);
    void AddMenuHandler(const String& itemName, std::function<bool(Int32 index)> handler);

    // The pointer, from the top-left corner of the content area.
    Int32 MouseX() const;
    Int32 MouseY() const;

    virtual void Layout();
    virtual void CreateControls();
    virtual void AddMenuHandlers(Window& window);

    virtual void Event_Open();
    // True cancels the close. appQuitting: the application is quitting.
    virtual bool Event_CancelClose(bool appQuitting);
    virtual void Event_Close();
    // A key press that is no menu shortcut. True: handled.
    virtual bool Event_KeyDown(const String& key);
    // A primary-button press on the window's background, in content coordinates.
    virtual bool Event_MouseDown(Int32 x, Int32 y);
    // In every enabling pass while this window is the frontmost.
    virtual void Event_EnableMenuItems();

private:
    friend struct WindowAccess;
    struct Impl;

    std::shared_ptr<Object> FindControl(const String& name) const;
    void CloseWindow();
    void Place();

    std::unique_ptr<Impl> itsImpl;
};

// The open windows.
Int32 WindowCount();
// The window at that place front to back, 0 the frontmost; nullptr outside the list.
std::shared_ptr<Window> WindowAt(Int32 i);

// The open window whose class is exactly T; nullptr when there is none.
template <class T>
std::shared_ptr<T> GetImplicitWindow()
{
    for (Int32 i = 0; i < WindowCount(); ++i) {
        const auto window = WindowAt(i);
        // A raw pointer: under typeid, *window would call shared_ptr::operator* at run time.
        const Window* const raw = window.get();
        if (raw && typeid(*raw) == typeid(T)) {
            return std::static_pointer_cast<T>(window);
        }
    }
    return nullptr;
}
