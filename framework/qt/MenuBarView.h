#pragma once
// The Qt menu bar that shows a MenuBar inside a window: a menu per title. Before a menu
// opens the enabling pass runs; a chosen item goes to the menu handlers.

class MenuBar;
class QMenuBar;
class QWidget;

QMenuBar* NewMenuBarView(MenuBar& bar, QWidget* parent);
