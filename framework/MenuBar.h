#pragma once
// A menu bar: its items are the menu titles. Look-ups search the whole bar.

#include "framework/MenuItem.h"

class MenuBar : public MenuItem {
public:
    // The first item of that name anywhere in the bar, depth first; nullptr when none.
    std::shared_ptr<MenuItem> Lookup(const String& name) const;
    // The item of that name with that Index; nullptr when none.
    std::shared_ptr<MenuItem> Lookup(const String& name, Int32 index) const;
};
