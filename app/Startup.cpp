#include "app/Startup.h"

#include "app/Appl.h"
#include "app/MainWindow.h"
#include "app/Menu.h"
#include "components/applpreferences/FileTypes.h"
#include "components/media/Media.h"

Int32 Startup()
{
    InitFileTypes();
    NewAppInstance();
    ApplicationAddMenuHandlers();
    MakeDefaultView();
    return 0;
}

void InitFileTypes()
{
    FileTypes::Initialize();
}

void NewAppInstance()
{
    const auto app = std::make_shared<Appl>();
    app->SetMenuBar(Menu::Instance());
    RuntimeRegisterAppObject(app);
}

void ApplicationAddMenuHandlers()
{
    Appl& app = TheAppl();
    app.AddMenuHandler("AppleAbout", [&app] { return app.AppleAbout_Action(); });
    app.AddMenuHandler("HelpApp", [&app] { return app.HelpApp_Action(); });
    app.AddMenuHandler("GameMenuSoundVol", [&app](Int32 index) { return app.GameMenuSoundVol_Action(index); });
}

void MakeDefaultView()
{
    MainWindow::Instance();
}

void ReleaseModules()
{
    ReleaseMedia();
    Menu::Release();
    FileTypes::Release();
}
