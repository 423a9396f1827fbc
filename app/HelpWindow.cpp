#include "app/HelpWindow.h"

#include "app/Appl.h"
#include "app/ResourceText.h"
#include "app/WindowSupport.h"
#include "framework/MenuItem.h"
#include "framework/TabPanel.h"
#include "framework/Text.h"
#include "framework/TextArea.h"

namespace {

const char* const TabTitles[HelpPageCount] = {"目的", "操作", "解説", "履歴", "使用条件", "感謝"};

String EditFieldName(Int32 page)
{
    return "EditField" + Str(page);
}

} // namespace

std::shared_ptr<HelpWindow> HelpWindow::Instance()
{
    return ImplicitWindow<HelpWindow>();
}

void HelpWindow::Layout()
{
    SetProperties(FixedSize(400, 370,
                            {
                                .Placement = 1,
                                .Frame = 0,
                                .HasBackColor = true,
                                .BackColor = RGB(255, 255, 255),
                                .Title = "Kalmenoの説明",
                                .CloseButton = true,
                                .MinimizeButton = true,
                            }));
}

void HelpWindow::CreateControls()
{
    // The panel comes first: each text area names it as the parent of its page.
    AddControl("TabPanel1", std::make_shared<::TabPanel>());
    String tabs;
    for (Int32 page = 1; page <= HelpPageCount; ++page) {
        tabs += String(page > 1 ? "\r" : "") + TabTitles[page - 1];
    }
    TabPanel1()->SetProperties({
        .Control = {.Left = 0, .Top = 1, .Width = 400, .Height = 369},
        .Style = {.TextFont = "System", .TextSize = 9.0},
        .TabDefinition = tabs,
        .Value = 0,
    });

    for (Int32 page = 1; page <= HelpPageCount; ++page) {
        AddControl(EditFieldName(page), std::make_shared<TextArea>());
        EditField(page)->SetProperties({
            .Control = {.Left = 6,
                        .Top = 23,
                        .Width = 388,
                        .Height = 342,
                        .InitialParent = "TabPanel1",
                        .TabPanelIndex = page},
            .Style = {.TextFont = "System", .TextSize = 12.0},
            .TextColor = RGB(0, 0, 0),
            .BackColor = RGB(255, 255, 255),
            .Alignment = 0,
            .ReadOnly = true,
            .ScrollbarVertical = true,
            .ScrollbarHorizontal = false,
            .Border = true,
            .Text = HelpPageText(page),
        });
    }
}

std::shared_ptr<::TabPanel> HelpWindow::TabPanel1()
{
    return ControlByName<::TabPanel>("TabPanel1");
}

std::shared_ptr<TextArea> HelpWindow::EditField(Int32 page)
{
    return ControlByName<TextArea>(EditFieldName(page));
}

void HelpWindow::AddMenuHandlers(Window& window)
{
    auto& help = dynamic_cast<HelpWindow&>(window);
    AddMenuHandler("FileClose", [&help] { return help.FileClose_Action(); });
}

void HelpWindow::Event_EnableMenuItems()
{
    FileClose()->Enable();
}

bool HelpWindow::FileClose_Action()
{
    Close();
    return false;
}
