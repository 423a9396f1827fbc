#pragma once
// The help window: six tabbed pages of read-only text. While it is the frontmost window it
// enables the File menu's close item and closes itself on that command.

#include "framework/Window.h"

#include <memory>

class TabPanel;
class TextArea;

class HelpWindow : public Window {
public:
    // The open help window, or a new one.
    static std::shared_ptr<HelpWindow> Instance();

    void Layout() override;
    void CreateControls() override;
    virtual std::shared_ptr<::TabPanel> TabPanel1();
    // The text area of page 1 to 6, "EditField1" to "EditField6".
    virtual std::shared_ptr<TextArea> EditField(Int32 page);
    void AddMenuHandlers(Window& window) override;
    void Event_EnableMenuItems() override;
    virtual bool FileClose_Action();
};
