#pragma once
// The enabling pass and the routing of menu commands, from menus and from shortcuts.

#include <QKeyEvent>
#include <QObject>

class MenuItem;

namespace MenuCommands {

// Items with AutoEnable are enabled and the others disabled, and "EditCopy" while the text
// area that holds the keyboard in the frontmost window has a selection; then the
// application's and the frontmost window's EnableMenuItems set their items.
void RunEnablingPass();

// "EditCopy" copies the selection of that text area to the clipboard; any other command
// goes to the frontmost window's handler of the item's name, then the application's; a quit
// item that no handler took quits the application.
void Choose(MenuItem& item);

// When the key press is the shortcut of an item of the frontmost window's menu bar or the
// application's, runs the enabling pass and chooses the item if it is enabled. True: the
// key was a shortcut, and goes no further.
bool TakeShortcut(const QKeyEvent& event);

} // namespace MenuCommands

// Installed on the application: sees key presses to our windows before any widget does.
class ShortcutFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
