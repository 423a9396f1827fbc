#pragma once
// The Qt menu bar that shows a MenuBar inside a window: a menu per title. Before a menu
// opens the enabling pass runs; a chosen item goes to the menu handlers. The bar has no
// keyboard navigation of its own: no menu is opened from the keyboard, and once a menu has
// closed, by Esc, a click or a choice, every key goes to the window again.

class MenuBar;
class QMenuBar;
class QWidget;

QMenuBar* NewMenuBarView(MenuBar& bar, QWidget* parent);
