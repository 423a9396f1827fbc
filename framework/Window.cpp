#include "framework/Window.h"

#include "framework/Application.h"
#include "framework/MenuBar.h"
#include "framework/RectControl.h"
#include "framework/qt/LayerAccess.h"
#include "framework/qt/MenuBarView.h"
#include "framework/qt/PointerTracker.h"
#include "framework/qt/WindowWidget.h"

#include <QApplication>
#include <QEventLoop>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>

#include <algorithm>
#include <vector>

namespace {

// The open windows, front to back.
std::vector<std::shared_ptr<Window>>& OpenWindows()
{
    static std::vector<std::shared_ptr<Window>> windows;
    return windows;
}

auto FindOpen(const Window& window)
{
    auto& windows = OpenWindows();
    return std::find_if(windows.begin(), windows.end(), [&](const auto& open) { return open.get() == &window; });
}

void MoveToFront(const Window& window)
{
    auto& windows = OpenWindows();
    const auto found = FindOpen(window);
    if (found != windows.end()) {
        std::rotate(windows.begin(), found, found + 1);
    }
}

// Frames 1 and 2 are modal dialogs: modal also when shown with Show.
bool IsModalFrame(const WindowProperties& p)
{
    return p.Frame == 1 || p.Frame == 2;
}

Qt::WindowFlags FlagsOf(const WindowProperties& p)
{
    Qt::WindowFlags flags = IsModalFrame(p) ? Qt::Dialog : Qt::Window;
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    flags.setFlag(Qt::WindowCloseButtonHint, p.CloseButton);
    flags.setFlag(Qt::WindowMinimizeButtonHint, p.MinimizeButton);
    flags.setFlag(Qt::WindowMaximizeButtonHint, p.MaximizeButton && p.Resizeable);
    return flags;
}

bool IsFixedSize(const WindowProperties& p)
{
    return !p.Resizeable || (p.MinWidth == p.MaxWidth && p.MinHeight == p.MaxHeight);
}

} // namespace

struct Window::Impl {
    QPointer<WindowWidget> widget;
    WindowProperties properties;
    std::shared_ptr<::MenuBar> menuBar;
    std::vector<std::pair<String, std::shared_ptr<Object>>> controls;
    MenuHandlerTable menuHandlers;
    QEventLoop* modalLoop = nullptr;
    bool constructed = false;
    bool placed = false;
    bool closed = false;

    void UpdateMenuBarView()
    {
        const bool shown = menuBar && properties.MenuBarVisible;
        if (shown == (widget->MenuBarView() != nullptr)) {
            return;
        }
        widget->SetMenuBarView(shown ? NewMenuBarView(*menuBar, widget) : nullptr);
    }

    void UpdateSize()
    {
        const WindowProperties& p = properties;
        widget->SetContentSize(QSize(p.Width, p.Height), QSize(p.MinWidth, p.MinHeight),
                               QSize(p.MaxWidth, p.MaxHeight), !IsFixedSize(p));
    }

    // The window loses its widget and its controls; the object itself may live on.
    void Release()
    {
        if (widget) {
            widget->Forget();
            widget->hide();
            widget->deleteLater();
        }
        const auto released = std::move(controls);
        controls.clear();
    }
};

Window::Window() : itsImpl(std::make_unique<Impl>())
{
    itsImpl->widget = new WindowWidget(*this);
    SetProperties(WindowProperties());
}

Window::~Window()
{
    itsImpl->Release();
}

void Window::Constructor()
{
    if (itsImpl->constructed) {
        return;
    }
    itsImpl->constructed = true;
    OpenWindows().push_back(shared_from_this());
    Layout();
    CreateControls();
    AddMenuHandlers(*this);
    if (itsImpl->properties.Visible) {
        Show();
    }
    QMetaObject::invokeMethod(
        qApp,
        [weak = weak_from_this()] {
            ApplicationAccess::OpenOnce();
            const auto window = weak.lock();
            if (!window || window->itsImpl->closed) {
                return;
            }
            const auto controls = window->itsImpl->controls;
            for (const auto& [name, object] : controls) {
                if (const auto control = std::dynamic_pointer_cast<Control>(object)) {
                    control->Event_Open();
                }
            }
            window->Event_Open();
        },
        Qt::QueuedConnection);
}

void Window::SetProperties(const WindowProperties& properties)
{
    itsImpl->properties = properties;
    WindowWidget& widget = *itsImpl->widget;
    widget.setWindowTitle(QString::fromStdString(properties.Title));
    const bool wasVisible = widget.isVisible();
    widget.setWindowFlags(FlagsOf(properties));
    widget.setWindowModality(IsModalFrame(properties) ? Qt::ApplicationModal : Qt::NonModal);
    QWidget& content = *widget.Content();
    content.setAutoFillBackground(properties.HasBackColor);
    if (properties.HasBackColor) {
        QPalette palette = content.palette();
        const Color& c = properties.BackColor;
        palette.setColor(QPalette::Window, QColor(c.Red, c.Green, c.Blue));
        content.setPalette(palette);
    }
    itsImpl->UpdateMenuBarView();
    itsImpl->UpdateSize();
    if (wasVisible) {
        widget.show();
    }
}

String Window::Title() const
{
    return itsImpl->properties.Title;
}

Int32 Window::Width() const
{
    return itsImpl->widget ? itsImpl->widget->Content()->width() : itsImpl->properties.Width;
}

Int32 Window::Height() const
{
    return itsImpl->widget ? itsImpl->widget->Content()->height() : itsImpl->properties.Height;
}

void Window::Show()
{
    if (itsImpl->closed) {
        return;
    }
    MoveToFront(*this);
    WindowWidget& widget = *itsImpl->widget;
    if (!itsImpl->placed) {
        itsImpl->placed = true;
        Place();
    }
    if (itsImpl->properties.FullScreen) {
        widget.showFullScreen();
    } else {
        widget.show();
    }
    widget.raise();
    widget.activateWindow();
}

void Window::Place()
{
    WindowWidget& widget = *itsImpl->widget;
    QRect over = QGuiApplication::primaryScreen()->availableGeometry();
    if (itsImpl->properties.Placement == 1) {
        for (const auto& other : OpenWindows()) {
            if (other.get() != this && other->itsImpl->widget && other->itsImpl->widget->isVisible()) {
                over = other->itsImpl->widget->frameGeometry();
                break;
            }
        }
    }
    widget.move(over.center() - QPoint(widget.width() / 2, widget.height() / 2));
}

void Window::ShowModal()
{
    const auto keep = shared_from_this();
    if (itsImpl->closed) {
        return;
    }
    WindowWidget& widget = *itsImpl->widget;
    if (!widget.isModal()) {
        // Qt takes a change of modality only while the window is hidden.
        widget.hide();
        widget.setWindowModality(Qt::ApplicationModal);
    }
    Show();
    QEventLoop loop;
    itsImpl->modalLoop = &loop;
    loop.exec();
    itsImpl->modalLoop = nullptr;
}

void Window::Close()
{
    const auto keep = shared_from_this();
    if (itsImpl->closed || Event_CancelClose(false)) {
        return;
    }
    CloseWindow();
    if (OpenWindows().empty()) {
        if (Application* app = GetAppObject(); app && app->AutoQuit) {
            app->Quit();
        }
    }
}

void Window::CloseWindow()
{
    itsImpl->closed = true;
    Event_Close();
    if (const auto found = FindOpen(*this); found != OpenWindows().end()) {
        OpenWindows().erase(found);
    }
    itsImpl->Release();
    if (itsImpl->modalLoop) {
        itsImpl->modalLoop->quit();
    }
    if (const auto front = WindowAt(0); front && front->itsImpl->widget) {
        front->itsImpl->widget->activateWindow();
    }
}

void Window::UpdateNow()
{
    if (itsImpl->widget) {
        QEvent request(QEvent::UpdateRequest);
        QCoreApplication::sendEvent(itsImpl->widget, &request);
    }
}

std::shared_ptr<::MenuBar> Window::MenuBar() const
{
    return itsImpl->menuBar;
}

void Window::SetMenuBar(std::shared_ptr<::MenuBar> bar)
{
    if (!itsImpl->widget) {
        return;
    }
    itsImpl->menuBar = std::move(bar);
    itsImpl->widget->SetMenuBarView(nullptr);
    itsImpl->UpdateMenuBarView();
    itsImpl->UpdateSize();
}

void Window::AddControl(const String& name, std::shared_ptr<Object> control)
{
    if (!control || !itsImpl->widget) {
        return;
    }
    itsImpl->controls.emplace_back(name, control);
    if (const auto asControl = std::dynamic_pointer_cast<Control>(control)) {
        asControl->itsName = name;
        asControl->itsWindow = weak_from_this();
    }
    if (const auto rect = std::dynamic_pointer_cast<RectControl>(control)) {
        ControlAccess::PlaceIn(*rect, itsImpl->widget->Content());
    }
}

std::shared_ptr<Object> Window::FindControl(const String& name) const
{
    for (const auto& [controlName, control] : itsImpl->controls) {
        if (controlName == name) {
            return control;
        }
    }
    return nullptr;
}

void Window::AddMenuHandler(const String& itemName, std::function<bool()> handler)
{
    itsImpl->menuHandlers.Add(itemName, std::move(handler));
}

void Window::AddMenuHandler(const String& itemName, std::function<bool(Int32 index)> handler)
{
    itsImpl->menuHandlers.Add(itemName, std::move(handler));
}

Int32 Window::MouseX() const
{
    return itsImpl->widget ? itsImpl->widget->Content()->mapFromGlobal(PointerTracker::GlobalPosition()).x() : 0;
}

Int32 Window::MouseY() const
{
    return itsImpl->widget ? itsImpl->widget->Content()->mapFromGlobal(PointerTracker::GlobalPosition()).y() : 0;
}

void Window::Layout() {}

void Window::CreateControls() {}

void Window::AddMenuHandlers(Window&) {}

void Window::Event_Open() {}

bool Window::Event_CancelClose(bool)
{
    return false;
}

void Window::Event_Close() {}

bool Window::Event_KeyDown(const String&)
{
    return false;
}

bool Window::Event_MouseDown(Int32, Int32)
{
    return false;
}

void Window::Event_EnableMenuItems() {}

Int32 WindowCount()
{
    return static_cast<Int32>(OpenWindows().size());
}

std::shared_ptr<Window> WindowAt(Int32 i)
{
    if (i < 0 || i >= WindowCount()) {
        return nullptr;
    }
    return OpenWindows()[static_cast<size_t>(i)];
}

WindowWidget* WindowAccess::Widget(const Window& window)
{
    return window.itsImpl->widget;
}

QWidget* WindowAccess::Content(const Window& window)
{
    return window.itsImpl->widget ? window.itsImpl->widget->Content() : nullptr;
}

bool WindowAccess::RunMenuHandler(Window& window, const MenuItem& item)
{
    return window.itsImpl->menuHandlers.Run(item);
}

void WindowAccess::Activated(Window& window)
{
    MoveToFront(window);
}

bool WindowAccess::CloseAllForQuit()
{
    const auto windows = OpenWindows();
    for (const auto& window : windows) {
        if (window->Event_CancelClose(true)) {
            return false;
        }
    }
    for (const auto& window : windows) {
        if (!window->itsImpl->closed) {
            window->CloseWindow();
        }
    }
    return true;
}

void WindowAccess::ReleaseAll()
{
    const auto windows = std::move(OpenWindows());
    OpenWindows().clear();
    for (const auto& window : windows) {
        window->itsImpl->closed = true;
        window->itsImpl->Release();
    }
}
