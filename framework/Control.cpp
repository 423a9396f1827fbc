#include "framework/Control.h"

Control::Control() = default;

Control::~Control() = default;

String Control::Name() const
{
    return itsName;
}

std::shared_ptr<::Window> Control::Window() const
{
    return itsWindow.lock();
}

void Control::Event_Open() {}
