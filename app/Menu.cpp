#include "app/Menu.h"

#include "framework/AppleMenuItem.h"
#include "framework/QuitMenuItem.h"

namespace {

std::shared_ptr<Menu> theMenu;

const String NoShortcut;

} // namespace

std::shared_ptr<Menu> Menu::Instance()
{
    if (!theMenu) {
        theMenu = std::make_shared<Menu>();
        theMenu->Constructor();
    }
    return theMenu;
}

void Menu::Release()
{
    theMenu.reset();
}

void Menu::Constructor()
{
    Untitled1();
    Untitled2();
    Untitled3();
    Untitled4();
}

template <class T>
void Menu::AddItem(MenuItem& parent, const String& name, const String& text, const String& shortcut,
                   bool autoEnable)
{
    const auto item = std::make_shared<T>();
    item->SetName(name);
    item->SetAutoEnable(autoEnable);
    item->SetText(text);
    if (!shortcut.empty()) {
        item->SetKeyboardShortcut(shortcut);
    }
    parent.Append(item);
}

template <class T>
void Menu::AddToMenu(const String& titleName, const String& name, const String& text, const String& shortcut,
                     bool autoEnable)
{
    AddItem<T>(*Child(titleName), name, text, shortcut, autoEnable);
}

void Menu::Untitled1()
{
    AddItem<MenuItem>(*this, "UntitledMenu6", "ファイル", NoShortcut, true);
    AddToMenu("UntitledMenu6", "FileClose", "閉じる", "Cmd+W", false);
    AddToMenu("UntitledMenu6", "UntitledMenu7", "-", NoShortcut, true);
    AddToMenu<QuitMenuItem>("UntitledMenu6", "FileQuit", "終了", "Cmd+Q", true);
}

void Menu::Untitled2()
{
    AddItem<MenuItem>(*this, "UntitledMenu4", "編集", NoShortcut, true);
    AddToMenu("UntitledMenu4", "EditUndo", "取り消し", "Cmd+Z", false);
    AddToMenu("UntitledMenu4", "UntitledMenu5", "-", NoShortcut, true);
    AddToMenu("UntitledMenu4", "EditCut", "カット", "Cmd+X", false);
    AddToMenu("UntitledMenu4", "EditCopy", "コピー", "Cmd+C", false);
    AddToMenu("UntitledMenu4", "EditPaste", "ペースト", "Cmd+V", false);
    AddToMenu("UntitledMenu4", "EditClear", "消去", NoShortcut, false);
}

void Menu::Untitled3()
{
    AddItem<MenuItem>(*this, "UntitledMenu1", "ゲーム", NoShortcut, true);
    AddToMenu("UntitledMenu1", "GameMenuStart", "開始", "Cmd+T", false);
    AddToMenu("UntitledMenu1", "GameMenuRetry", "再挑戦", "Cmd+R", false);
    AddToMenu("UntitledMenu1", "GameMenuAbort", "中断", "Cmd+.", false);
    AddToMenu("UntitledMenu1", "UntitledMenu3", "-", NoShortcut, true);
    AddToMenu("UntitledMenu1", "GameMenuUndo", "戻る", "Cmd+[", false);
    AddToMenu("UntitledMenu1", "GameMenuRedo", "進む", "Cmd+]", false);
    AddToMenu("UntitledMenu1", "GameMenuUndoAll", "最初へ", "Cmd+Shift+[", false);
    AddToMenu("UntitledMenu1", "GameMenuRedoAll", "最後へ", "Cmd+Shift+]", false);
    AddToMenu("UntitledMenu1", "UntitledMenu2", "-", NoShortcut, true);
    AddToMenu("UntitledMenu1", "GameMenuSound", "効果音", NoShortcut, true);

    // The volume steps: 0 loudest (nine squares) to 8 softest (one square), 9 mute.
    MenuItem& sound = *Child("UntitledMenu1")->Child("GameMenuSound");
    for (Int32 i = 0; i <= 9; ++i) {
        const auto item = std::make_shared<MenuItem>();
        item->SetName("GameMenuSoundVol");
        item->SetAutoEnable(false);
        item->SetIndex(i);
        String text;
        for (Int32 squares = 9 - i; squares > 0; --squares) {
            text += "■";
        }
        item->SetText(i == 9 ? "消音" : text);
        sound.Append(item);
    }
}

void Menu::Untitled4()
{
    AddItem<MenuItem>(*this, "UntitledMenu0", "help", NoShortcut, true);
    AddToMenu<AppleMenuItem>("UntitledMenu0", "AppleAbout", "Kalmenoについて...", NoShortcut, true);
    AddToMenu("UntitledMenu0", "HelpApp", "Kalmenoの説明...", NoShortcut, true);
}
