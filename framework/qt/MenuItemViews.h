#pragma once
// The Qt actions that show one menu item; every change of the item reaches all of them.

#include <QAction>
#include <QPointer>

#include <vector>

class MenuItem;

struct MenuItemViews {
    // Shows the item through action from now on.
    static void Attach(MenuItem& item, QAction* action);
    // Brings every action of the item up to date.
    static void Update(const MenuItem& item);

    std::vector<QPointer<QAction>> actions;
};
