#include "app/MainWindow.h"

#include "app/Appl.h"
#include "app/Menu.h"
#include "app/WindowSupport.h"
#include "components/keydispatcher/KeyDispatcher.h"
#include "components/periodictimer/PeriodicTimer.h"
#include "components/soundplayer/SoundPlayer.h"
#include "framework/Input.h"
#include "framework/MenuBar.h"
#include "puzzle/GameField.h"

namespace {

// The seven Game items: the field's command each one runs, and the query that enables it.
struct GameItem {
    const char* name;
    void (GameField::*command)();
    bool (GameField::*enabledWhen)();
};

const GameItem GameItems[] = {
    {"GameMenuStart", &GameField::GameStart, &GameField::IsGameReady},
    {"GameMenuRetry", &GameField::GameRetry, &GameField::IsRetryReady},
    {"GameMenuAbort", &GameField::GameAbort, &GameField::IsGameActive},
    {"GameMenuUndo", &GameField::GameUndo, &GameField::IsUndoAvail},
    {"GameMenuRedo", &GameField::GameRedo, &GameField::IsRedoAvail},
    {"GameMenuUndoAll", &GameField::GameUndoAll, &GameField::IsUndoAvail},
    {"GameMenuRedoAll", &GameField::GameRedoAll, &GameField::IsRedoAvail},
};

} // namespace

std::shared_ptr<MainWindow> MainWindow::Instance()
{
    return ImplicitWindow<MainWindow>();
}

void MainWindow::Layout()
{
    SetMenuBar(Menu::Instance());
    SetProperties(FixedSize(300, 300,
                            {
                                .Placement = 2,
                                .Frame = 0,
                                .HasBackColor = false,
                                .Title = "Kalmeno",
                                .CloseButton = true,
                                .MinimizeButton = true,
                            }));
}

void MainWindow::CreateControls()
{
    AddControl("TheGameField", std::make_shared<GameField>());
    TheGameField()->SetProperties({
        .Control = {.Left = 0, .Top = 0, .Width = 300, .Height = 300, .Visible = true, .Enabled = true},
        .EraseBackground = true,
    });
    TheGameField()->Created.Attach([this](OffscreenCanvas& sender) { TheGameField_Created(sender); });

    AddControl("GameHeltz", std::make_shared<PeriodicTimer>());
    GameHeltz()->SetMode(0);
    GameHeltz()->SetPeriod(20);
    GameHeltz()->PeriodicAction.Attach(
        [this](PeriodicTimer& sender, Int32 load) { GameHeltz_PeriodicAction(sender, load); });

    AddControl("TheKeyDispatcher", std::make_shared<KeyDispatcher>());
    TheKeyDispatcher()->TenKeyArrow = false;
    TheKeyDispatcher()->ArrowLeft.Attach([this](KeyDispatcher& sender) { TheKeyDispatcher_ArrowLeft(sender); });
    TheKeyDispatcher()->ArrowRight.Attach([this](KeyDispatcher& sender) { TheKeyDispatcher_ArrowRight(sender); });
}

std::shared_ptr<GameField> MainWindow::TheGameField()
{
    return ControlByName<GameField>("TheGameField");
}

std::shared_ptr<PeriodicTimer> MainWindow::GameHeltz()
{
    return ControlByName<PeriodicTimer>("GameHeltz");
}

std::shared_ptr<KeyDispatcher> MainWindow::TheKeyDispatcher()
{
    return ControlByName<KeyDispatcher>("TheKeyDispatcher");
}

void MainWindow::TheGameField_Created(OffscreenCanvas& sender)
{
    sender.CreateOffscreen(32, true);
}

void MainWindow::GameHeltz_PeriodicAction(PeriodicTimer&, Int32)
{
    TheGameField()->GameStep();
    UpdateNow();
    App().ItsSoundPlayer->PlayQueue();
}

void MainWindow::ArrowKey(FieldQuery available, FieldCommand one, FieldCommand all)
{
    GameField& field = *TheGameField();
    if ((field.*available)()) {
        (field.*(Keyboard::ShiftKey() ? all : one))();
    }
}

void MainWindow::TheKeyDispatcher_ArrowLeft(KeyDispatcher&)
{
    ArrowKey(&GameField::IsUndoAvail, &GameField::GameUndo, &GameField::GameUndoAll);
}

void MainWindow::TheKeyDispatcher_ArrowRight(KeyDispatcher&)
{
    ArrowKey(&GameField::IsRedoAvail, &GameField::GameRedo, &GameField::GameRedoAll);
}

void MainWindow::AddMenuHandlers(Window& window)
{
    auto& main = dynamic_cast<MainWindow&>(window);
    for (const GameItem& item : GameItems) {
        AddMenuHandler(item.name, [&main, command = item.command] {
            ((*main.TheGameField()).*command)();
            return true;
        });
    }
}

bool MainWindow::Event_KeyDown(const String& key)
{
    if (!TheKeyDispatcher()->KeyDispatch(key)) {
        Beep();
    }
    return false;
}

void MainWindow::Event_EnableMenuItems()
{
    for (const GameItem& item : GameItems) {
        MenuBar()->Lookup(item.name)->SetEnabled(((*TheGameField()).*item.enabledWhen)());
    }
}

void MainWindow::Event_Open()
{
    GameHeltz()->Setup(20, 100);
    GameHeltz()->TimerStart(0);
}

bool MainWindow::Event_CancelClose(bool appQuitting)
{
    if (appQuitting) {
        return false;
    }
    // Front to back; a window that stays open is passed over.
    Int32 i = 0;
    while (WindowCount() >= 2 && i < WindowCount()) {
        const auto window = WindowAt(i);
        const Int32 before = WindowCount();
        if (window.get() != this) {
            window->Close();
        }
        if (WindowCount() == before) {
            ++i;
        }
    }
    return false;
}
