#pragma once
// The window of the game: a fixed 300 by 300 window whose content is the game field. Its clock
// drives the game ten ticks a second; the arrow keys and the Game menu reach the field through
// it, and it enables the Game items from the field's state.

#include "framework/Window.h"

#include <memory>

class GameField;
class KeyDispatcher;
class OffscreenCanvas;
class PeriodicTimer;

class MainWindow : public Window {
public:
    // The one main window, made on the first call.
    static std::shared_ptr<MainWindow> Instance();

    void Layout() override;
    void CreateControls() override;
    virtual std::shared_ptr<GameField> TheGameField();
    virtual std::shared_ptr<PeriodicTimer> GameHeltz();
    virtual std::shared_ptr<KeyDispatcher> TheKeyDispatcher();
    // Gives the field its 32-bit off-screen picture, drawn without antialiasing.
    virtual void TheGameField_Created(OffscreenCanvas& sender);
    // One tick: the game's step, the screen brought up to date, then the queued sounds.
    virtual void GameHeltz_PeriodicAction(PeriodicTimer& sender, Int32 load);
    // Undo (all, with Shift) when undo is available.
    virtual void TheKeyDispatcher_ArrowLeft(KeyDispatcher& sender);
    // Redo (all, with Shift) when redo is available.
    virtual void TheKeyDispatcher_ArrowRight(KeyDispatcher& sender);
    // Registers the seven Game commands.
    void AddMenuHandlers(Window& window) override;
    // Beeps for a key outside the dispatcher's fifteen; never handles a key.
    bool Event_KeyDown(const String& key) override;
    // Enables the seven Game items from the field's queries.
    void Event_EnableMenuItems() override;
    // Starts the clock.
    void Event_Open() override;
    // Closing the window closes the others first; the close itself always goes ahead.
    bool Event_CancelClose(bool appQuitting) override;

private:
    using FieldCommand = void (GameField::*)();
    using FieldQuery = bool (GameField::*)();

    void ArrowKey(FieldQuery available, FieldCommand one, FieldCommand all);
};
