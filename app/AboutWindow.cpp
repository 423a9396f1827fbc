#include "app/AboutWindow.h"

#include "app/ResourceText.h"
#include "app/WindowSupport.h"
#include "components/media/Pictures.h"
#include "components/targetsystemdisplay/TargetSystemDisplay.h"
#include "framework/Canvas.h"
#include "framework/Label.h"

namespace {

LabelProperties LabelAt(Int32 left, Int32 top, Int32 width, const String& text)
{
    return {
        .Control = {.Left = left, .Top = top, .Width = width, .Height = 16},
        .Style = {.TextFont = "System", .TextSize = 12.0},
        .TextColor = RGB(0, 0, 0),
        .TextAlign = 0,
        .Multiline = false,
        .Text = text,
    };
}

CanvasProperties CanvasAt(Int32 left, Int32 top, Int32 width, Int32 height)
{
    return {
        .Control = {.Left = left, .Top = top, .Width = width, .Height = height},
        .EraseBackground = true,
    };
}

} // namespace

std::shared_ptr<AboutWindow> AboutWindow::Instance()
{
    return ImplicitWindow<AboutWindow>();
}

void AboutWindow::Layout()
{
    SetProperties(FixedSize(200, 80,
                            {
                                .Placement = 1,
                                .Frame = 2,
                                .HasBackColor = true,
                                .BackColor = RGB(255, 255, 255),
                                .Title = "Kalmenoについて",
                                .CloseButton = false,
                                .MinimizeButton = false,
                            }));
}

void AboutWindow::CreateControls()
{
    AddControl("AppName", std::make_shared<Label>());
    AppName()->SetProperties(LabelAt(64, 24, 100, "Kalmeno 10.0.4"));

    AddControl("AppCopy", std::make_shared<Label>());
    AppCopy()->SetProperties(LabelAt(16, 56, 180, AboutNoticeText()));

    AddControl("AppIcon", std::make_shared<Canvas>());
    AppIcon()->SetBackdrop(IconPict());
    AppIcon()->SetProperties(CanvasAt(16, 16, 32, 32));
    AppIcon()->MouseExit.Attach([this](Canvas& sender) { AppIcon_MouseExit(sender); });
    AppIcon()->MouseEnter.Attach([this](Canvas& sender) { AppIcon_MouseEnter(sender); });

    AddControl("TheTargetSystemDisplay", std::make_shared<::TargetSystemDisplay>());
    TheTargetSystemDisplay()->SetProperties(CanvasAt(180, 3, 16, 8));
}

std::shared_ptr<Label> AboutWindow::AppName()
{
    return ControlByName<Label>("AppName");
}

std::shared_ptr<Label> AboutWindow::AppCopy()
{
    return ControlByName<Label>("AppCopy");
}

std::shared_ptr<Canvas> AboutWindow::AppIcon()
{
    return ControlByName<Canvas>("AppIcon");
}

std::shared_ptr<::TargetSystemDisplay> AboutWindow::TheTargetSystemDisplay()
{
    return ControlByName<::TargetSystemDisplay>("TheTargetSystemDisplay");
}

void AboutWindow::AppIcon_MouseExit(Canvas& sender)
{
    sender.SetBackdrop(IconPict());
}

void AboutWindow::AppIcon_MouseEnter(Canvas& sender)
{
    sender.SetBackdrop(PomavellPict());
}

bool AboutWindow::Event_KeyDown(const String&)
{
    Close();
    return false;
}

bool AboutWindow::Event_MouseDown(Int32, Int32)
{
    Close();
    return false;
}
