#include "framework/qt/MenuCommands.h"

#include "framework/Application.h"
#include "framework/MenuBar.h"
#include "framework/QuitMenuItem.h"
#include "framework/Window.h"
#include "framework/qt/KeyboardShortcut.h"
#include "framework/qt/LayerAccess.h"
#include "framework/qt/WindowWidget.h"

#include <QPlainTextEdit>

#include <vector>

namespace {

// The frontmost window's bar, then the application's when that is another one.
std::vector<std::shared_ptr<MenuBar>> ActiveMenuBars()
{
    std::vector<std::shared_ptr<MenuBar>> bars;
    if (const auto front = WindowAt(0); front && front->MenuBar()) {
        bars.push_back(front->MenuBar());
    }
    if (const Application* app = GetAppObject(); app && app->MenuBar()) {
        if (bars.empty() || bars.front() != app->MenuBar()) {
            bars.push_back(app->MenuBar());
        }
    }
    return bars;
}

void ResetEnabled(const MenuItem& menu)
{
    for (Int32 i = 0; i < menu.Count(); ++i) {
        const auto item = menu.Item(i);
        item->SetEnabled(item->AutoEnable());
        ResetEnabled(*item);
    }
}

std::shared_ptr<MenuItem> FindShortcut(const MenuItem& menu, const QKeyEvent& event)
{
    for (Int32 i = 0; i < menu.Count(); ++i) {
        const auto item = menu.Item(i);
        const auto shortcut = KeyboardShortcut::Parse(item->KeyboardShortcut());
        if (shortcut && shortcut->Matches(event)) {
            return item;
        }
        if (auto found = FindShortcut(*item, event)) {
            return found;
        }
    }
    return nullptr;
}

// The copy command, which the layer serves itself for the text area that holds the
// keyboard in the frontmost window, while text is selected in it.
const char* const CopyItemName = "EditCopy";

QPlainTextEdit* TextAreaWithSelection()
{
    const auto front = WindowAt(0);
    WindowWidget* widget = front ? WindowAccess::Widget(*front) : nullptr;
    auto* area = widget ? qobject_cast<QPlainTextEdit*>(widget->focusWidget()) : nullptr;
    return area && area->textCursor().hasSelection() ? area : nullptr;
}

} // namespace

void MenuCommands::RunEnablingPass()
{
    ApplicationAccess::OpenOnce();
    for (const auto& bar : ActiveMenuBars()) {
        ResetEnabled(*bar);
        if (const auto copy = bar->Lookup(CopyItemName); copy && TextAreaWithSelection()) {
            copy->Enable();
        }
    }
    if (Application* app = GetAppObject()) {
        app->Event_EnableMenuItems();
    }
    if (const auto front = WindowAt(0)) {
        front->Event_EnableMenuItems();
    }
}

void MenuCommands::Choose(MenuItem& item)
{
    const auto keep = item.shared_from_this();
    if (QPlainTextEdit* area = TextAreaWithSelection(); area && item.Name() == CopyItemName) {
        area->copy();
        return;
    }
    if (const auto front = WindowAt(0); front && WindowAccess::RunMenuHandler(*front, item)) {
        return;
    }
    Application* app = GetAppObject();
    if (!app || ApplicationAccess::RunMenuHandler(*app, item)) {
        return;
    }
    if (dynamic_cast<QuitMenuItem*>(&item)) {
        app->Quit();
    }
}

bool MenuCommands::TakeShortcut(const QKeyEvent& event)
{
    std::shared_ptr<MenuItem> item;
    for (const auto& bar : ActiveMenuBars()) {
        if ((item = FindShortcut(*bar, event))) {
            break;
        }
    }
    if (!item) {
        return false;
    }
    RunEnablingPass();
    if (item->Enabled()) {
        Choose(*item);
    }
    return true;
}

bool ShortcutFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) {
        return false;
    }
    if (!dynamic_cast<WindowWidget*>(static_cast<QWidget*>(watched)->window())) {
        return false;
    }
    return MenuCommands::TakeShortcut(static_cast<QKeyEvent&>(*event));
}
