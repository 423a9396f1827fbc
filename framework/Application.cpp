#include "framework/Application.h"

namespace {
std::shared_ptr<Application> theApplication;
}

Application::Application() = default;
Application::~Application() = default;

void RuntimeRegisterAppObject(std::shared_ptr<Application> app)
{
    theApplication = std::move(app);
}

Application* GetAppObject()
{
    return theApplication.get();
}
