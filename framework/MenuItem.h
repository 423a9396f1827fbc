#pragma once
// An item of a menu bar: a menu title, a command, a separator (text "-") or a submenu.
// Items are found by name; commands reach the handlers registered under that name.

#include "framework/Types.h"

#include <vector>

struct MenuItemViews;

// The Index of an item that is not one of a numbered set.
constexpr Int32 NoIndex = INT32_MIN;

class MenuItem : public Object, public std::enable_shared_from_this<MenuItem> {
public:
    MenuItem();
    ~MenuItem() override;
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    String Name() const;
    void SetName(const String& name);
    String Text() const;
    void SetText(const String& text);
    // "Cmd+W", "Cmd+Shift+[": Cmd is the Ctrl key here; "" for none.
    String KeyboardShortcut() const;
    void SetKeyboardShortcut(const String& shortcut);
    // True: the item is enabled at the start of every enabling pass; False: disabled.
    bool AutoEnable() const;
    void SetAutoEnable(bool autoEnable);
    Int32 Index() const;
    void SetIndex(Int32 index);
    bool Checked() const;
    void SetChecked(bool checked);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    void Enable();

    bool IsSeparator() const;

    void Append(std::shared_ptr<MenuItem> item);
    // The direct child of that name; nullptr when none.
    std::shared_ptr<MenuItem> Child(const String& name) const;
    Int32 Count() const;
    // nullptr outside 0 .. Count() - 1.
    std::shared_ptr<MenuItem> Item(Int32 i) const;

private:
    friend struct MenuItemViews;

    String itsName;
    String itsText;
    String itsShortcut;
    bool itsAutoEnable = true;
    Int32 itsIndex = NoIndex;
    bool itsChecked = false;
    bool itsEnabled = true;
    std::vector<std::shared_ptr<MenuItem>> itsItems;
    std::unique_ptr<MenuItemViews> itsViews;
};
