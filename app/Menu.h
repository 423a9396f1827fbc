#pragma once
// The one menu bar: File, Edit, Game (with the sound-volume submenu) and help. It holds no
// behaviour; handlers and enabling rules elsewhere find its items by name.

#include "framework/MenuBar.h"

#include <memory>

class Menu : public MenuBar {
public:
    // The one instance, built on the first call.
    static std::shared_ptr<Menu> Instance();
    // Drops the instance at program end.
    static void Release();

    // Builds the four menus, left to right.
    virtual void Constructor();
    virtual void Untitled1();
    virtual void Untitled2();
    virtual void Untitled3();
    virtual void Untitled4();

private:
    // Appends a new item of class T to `parent`; an empty shortcut sets none.
    template <class T>
    void AddItem(MenuItem& parent, const String& name, const String& text, const String& shortcut,
                 bool autoEnable);
    // Appends an ordinary item to the menu titled `titleName`.
    template <class T = MenuItem>
    void AddToMenu(const String& titleName, const String& name, const String& text, const String& shortcut,
                   bool autoEnable);
};
