#include "AppTestSupport.h"

#include "app/Menu.h"
#include "app/Startup.h"
#include "components/applpreferences/FileTypes.h"
#include "framework/TestSeams.h"
#include "framework/qt/LayerAccess.h"
#include "framework/qt/WindowWidget.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <cstdlib>

namespace {

const char* const PreferencesName = "Kalmenoの設定";

} // namespace

void AppTest::SetUp()
{
    setenv("XDG_CONFIG_HOME", itsConfigFolder.Path().c_str(), 1);
    SetResourcesFolderOverride(String(KALMENO_TEST_RESOURCES));
    SetShiftKeyOverride(std::nullopt);
}

void AppTest::TearDown()
{
    UiTest::TearDown();
    Menu::Release();
    FileTypes::Release();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    SetShiftKeyOverride(std::nullopt);
    SetSoundPlayObserver(nullptr);
}

void AppTest::RegisterApplication()
{
    NewAppInstance();
    ApplicationAddMenuHandlers();
}

std::string AppTest::PreferencesPath() const
{
    return itsConfigFolder / PreferencesName;
}

String AppTest::PreferencesFileContents() const
{
    return ReadBytes(PreferencesPath());
}

void AppTest::WritePreferencesFile(const String& contents) const
{
    WriteBytes(PreferencesPath(), contents);
}

std::shared_ptr<Window> AppTest::OpenStandInMainWindow()
{
    auto window = std::make_shared<Window>();
    window->SetMenuBar(Menu::Instance());
    window->Constructor();
    window->Show();
    return window;
}

QWidget* ContentOf(const Window& window)
{
    return WindowAccess::Content(window);
}

QMenu* MenuTitled(const Window& window, const QString& title)
{
    for (QAction* action : WidgetOf(window)->findChild<QMenuBar*>()->actions()) {
        if (action->text() == title) {
            return action->menu();
        }
    }
    return nullptr;
}

void ShowGameMenu(const Window& window)
{
    emit MenuTitled(window, "ゲーム")->aboutToShow();
}

QAction* VolumeAction(const Window& window, Int32 index)
{
    for (QAction* action : MenuTitled(window, "ゲーム")->actions()) {
        if (action->text() == "効果音") {
            return action->menu()->actions().value(index);
        }
    }
    return nullptr;
}

void Press(const Window& window, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text)
{
    if (text.isEmpty()) {
        QTest::keyClick(WidgetOf(window), key, modifiers);
    } else {
        QTest::sendKeyEvent(QTest::Click, WidgetOf(window), key, text, modifiers);
    }
}
