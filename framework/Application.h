#pragma once
// The application object and its registration with the layer.

#include "framework/Types.h"

class Application : public Object {
public:
    Application();
    ~Application() override;
};

// The application object of this process: registered once at start-up.
void RuntimeRegisterAppObject(std::shared_ptr<Application> app);
Application* GetAppObject();
