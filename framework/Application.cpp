#include "framework/Application.h"

#include "framework/MenuBar.h"
#include "framework/ResourceFork.h"
#include "framework/qt/LayerAccess.h"

#include <QCoreApplication>
#include <QThread>

namespace {
std::shared_ptr<Application> theApplication;
}

Application::Application() : itsResourceFork(std::make_shared<::ResourceFork>()) {}

Application::~Application() = default;

std::shared_ptr<::MenuBar> Application::MenuBar() const
{
    return itsMenuBar;
}

void Application::SetMenuBar(std::shared_ptr<::MenuBar> bar)
{
    itsMenuBar = std::move(bar);
}

std::shared_ptr<::ResourceFork> Application::ResourceFork() const
{
    return itsResourceFork;
}

void Application::AddMenuHandler(const String& itemName, std::function<bool()> handler)
{
    itsMenuHandlers.Add(itemName, std::move(handler));
}

void Application::AddMenuHandler(const String& itemName, std::function<bool(Int32 index)> handler)
{
    itsMenuHandlers.Add(itemName, std::move(handler));
}

void Application::Quit()
{
    if (itsQuitting) {
        return;
    }
    itsQuitting = true;
    if (!WindowAccess::CloseAllForQuit()) {
        itsQuitting = false;
        return;
    }
    itsClosed = true;
    Event_Close();
    // Leaves every running event loop, nested ones included. Outside any loop, exit() would
    // make the next loop return at once; RuntimeRun asks HasQuit instead.
    if (QThread::currentThread()->loopLevel() > 0) {
        QCoreApplication::exit(0);
    }
}

void Application::Event_Open() {}

void Application::Event_Close() {}

void Application::Event_EnableMenuItems() {}

void RuntimeRegisterAppObject(std::shared_ptr<Application> app)
{
    theApplication = std::move(app);
}

Application* GetAppObject()
{
    return theApplication.get();
}

void DisableAutoWaitCursor() {}

void EnableAutoWaitCursor() {}

void ApplicationAccess::OpenOnce()
{
    const auto app = theApplication;
    if (app && !app->itsOpened) {
        app->itsOpened = true;
        app->Event_Open();
    }
}

void ApplicationAccess::CloseAtExit()
{
    const auto app = theApplication;
    if (app && app->itsOpened && !app->itsClosed) {
        app->itsClosed = true;
        app->Event_Close();
    }
}

bool ApplicationAccess::HasQuit()
{
    return theApplication && theApplication->itsQuitting;
}

bool ApplicationAccess::RunMenuHandler(Application& app, const MenuItem& item)
{
    return app.itsMenuHandlers.Run(item);
}
