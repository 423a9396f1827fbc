#include "framework/Runtime.h"

#include "framework/Application.h"
#include "framework/qt/LayerAccess.h"
#include "framework/qt/MenuCommands.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include <memory>

namespace {
std::unique_ptr<QApplication> qtApplication;
}  // namespace

void RunFrameworkInitialization(int& argc, char** argv)
{
    if (qtApplication) {
        return;
    }
    qtApplication = std::make_unique<QApplication>(argc, argv);
    // AutoQuit decides, not Qt.
    QApplication::setQuitOnLastWindowClosed(false);
    qtApplication->installEventFilter(new ShortcutFilter(qtApplication.get()));
}

int RuntimeRun()
{
    if (!qtApplication) {
        return 1;
    }
    ApplicationAccess::OpenOnce();
    if (ApplicationAccess::HasQuit()) {
        return 0;
    }
    return QApplication::exec();
}

void RuntimeShutdown()
{
    if (!qtApplication) {
        return;
    }
    WindowAccess::ReleaseAll();
    RuntimeRegisterAppObject(nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    SoundAccess::FinishLoads();
    // Widgets of controls that never joined a window.
    const QWidgetList leftOver = QApplication::topLevelWidgets();
    QList<QPointer<QWidget>> widgets(leftOver.begin(), leftOver.end());
    for (const QPointer<QWidget>& widget : widgets) {
        delete widget.data();
    }
    qtApplication.reset();
}
