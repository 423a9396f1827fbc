#include "tests/support/RecordedApp.h"

#include "app/ApplFields.h"
#include "framework/TestSeams.h"

RecordedApp::RecordedApp() : itsPlayer(std::make_shared<RecordingSoundPlayer>())
{
    SetResourcesFolderOverride(KALMENO_TEST_RESOURCES);
    auto app = std::make_shared<ApplFields>();
    app->ItsSoundPlayer = itsPlayer;
    RuntimeRegisterAppObject(app);
}

RecordedApp::~RecordedApp()
{
    RuntimeRegisterAppObject(nullptr);
    SetResourcesFolderOverride(std::nullopt);
}
