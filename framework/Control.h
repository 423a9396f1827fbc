#pragma once
// A control that a window holds by name.

#include "framework/Types.h"

class Window;

class Control : public Object, public std::enable_shared_from_this<Control> {
public:
    ~Control() override;

    String Name() const;
    // The window holding the control; nullptr before it is added or after the window went.
    std::shared_ptr<::Window> Window() const;

    // Raised once from the event loop after the window was made, before the window's Open.
    virtual void Event_Open();

protected:
    Control();

private:
    friend class ::Window;

    String itsName;
    std::weak_ptr<::Window> itsWindow;
};
