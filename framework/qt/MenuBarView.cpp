#include "framework/qt/MenuBarView.h"

#include "framework/MenuBar.h"
#include "framework/qt/MenuCommands.h"
#include "framework/qt/MenuItemViews.h"

#include <QMenu>
#include <QMenuBar>

namespace {

void FillMenu(QMenu& menu, const MenuItem& parent)
{
    for (Int32 i = 0; i < parent.Count(); ++i) {
        const auto item = parent.Item(i);
        if (item->IsSeparator()) {
            menu.addSeparator();
        } else if (item->Count() > 0) {
            QMenu* submenu = menu.addMenu(QString());
            MenuItemViews::Attach(*item, submenu->menuAction());
            FillMenu(*submenu, *item);
        } else {
            QAction* action = menu.addAction(QString());
            MenuItemViews::Attach(*item, action);
            QObject::connect(action, &QAction::triggered, action,
                             [weak = std::weak_ptr<MenuItem>(item)] {
                                 if (const auto chosen = weak.lock()) {
                                     MenuCommands::Choose(*chosen);
                                 }
                             });
        }
    }
}

}  // namespace

QMenuBar* NewMenuBarView(MenuBar& bar, QWidget* parent)
{
    auto* view = new QMenuBar(parent);
    view->setNativeMenuBar(false);
    for (Int32 i = 0; i < bar.Count(); ++i) {
        const auto title = bar.Item(i);
        QMenu* menu = view->addMenu(QString());
        MenuItemViews::Attach(*title, menu->menuAction());
        QObject::connect(menu, &QMenu::aboutToShow, menu, [] { MenuCommands::RunEnablingPass(); });
        FillMenu(*menu, *title);
    }
    return view;
}
