#pragma once
// Tests of the application shell: the real windows and menus under the offscreen platform,
// a fresh preferences folder for every test and the built bundle's media.

#include "app/Appl.h"
#include "framework/Window.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/UiTest.h"

#include <QString>
#include <Qt>

#include <memory>
#include <string>

class QAction;
class QMenu;
class QWidget;

class AppTest : public UiTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The application object as start-up makes it (menu bar and menu handlers), without
    // the main window.
    static void RegisterApplication();

    // The preferences file of this test's folder; its contents, "" when there is none.
    std::string PreferencesPath() const;
    String PreferencesFileContents() const;
    void WritePreferencesFile(const String& contents) const;

    // A plain window in front, holding the menu bar as the main window does, so that closing
    // another window never closes the last one.
    static std::shared_ptr<Window> OpenStandInMainWindow();

    // The preferences folder, fresh for every test.
    const ScratchFolder itsConfigFolder;
};

// The window's content area, below any menu bar.
QWidget* ContentOf(const Window& window);
// The menu of that title in the window's menu bar; nullptr when none.
QMenu* MenuTitled(const Window& window, const QString& title);
// Opens the Game menu of the window's bar, which runs the enabling pass.
void ShowGameMenu(const Window& window);
// The volume item with that Index in the window's Game menu.
QAction* VolumeAction(const Window& window, Int32 index);
// A real key press and release on the window's widget.
void Press(const Window& window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
           const QString& text = QString());
