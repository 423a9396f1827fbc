#pragma once
// The about window: name and version, the notice of rights, the icon that turns into the
// maker's logo under the pointer, and the target-system badge. Any key or press closes it.

#include "framework/Window.h"

#include <memory>

class Canvas;
class Label;
class TargetSystemDisplay;

class AboutWindow : public Window {
public:
    // The open about window, or a new one.
    static std::shared_ptr<AboutWindow> Instance();

    void Layout() override;
    void CreateControls() override;
    virtual std::shared_ptr<Label> AppName();
    virtual std::shared_ptr<Label> AppCopy();
    virtual std::shared_ptr<Canvas> AppIcon();
    virtual std::shared_ptr<::TargetSystemDisplay> TheTargetSystemDisplay();
    virtual void AppIcon_MouseExit(Canvas& sender);
    virtual void AppIcon_MouseEnter(Canvas& sender);
    bool Event_KeyDown(const String& key) override;
    bool Event_MouseDown(Int32 x, Int32 y) override;
};
