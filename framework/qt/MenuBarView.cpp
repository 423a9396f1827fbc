#include "framework/qt/MenuBarView.h"

#include "framework/MenuBar.h"
#include "framework/qt/MenuCommands.h"
#include "framework/qt/MenuItemViews.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProxyStyle>

namespace {

// The application's style, without the bar's keyboard navigation: Alt alone selects no
// title, and Esc in an open menu closes it and gives the keyboard back to the window. The
// bar never holds the keyboard out of sight, so the window's KeyDown receives every key.
class NoKeyboardNavigationStyle : public QProxyStyle {
public:
    NoKeyboardNavigationStyle() { setParent(qApp); }

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_MenuBar_AltKeyNavigation) {
            return 0;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QStyle* MenuBarStyle()
{
    static QPointer<NoKeyboardNavigationStyle> style;
    if (!style) {
        style = new NoKeyboardNavigationStyle;
    }
    return style;
}

// Takes no keys of its own: the keyboard may rest on the bar once a menu has closed, and the
// keys then go on to the window. Only an open menu hands Left and Right over, to move on
// to the next title.
class MenuBarWidget : public QMenuBar {
public:
    using QMenuBar::QMenuBar;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (QApplication::activePopupWidget()) {
            QMenuBar::keyPressEvent(event);
        } else {
            event->ignore();
        }
    }
};

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
            QObject::connect(action, &QAction::triggered, action, [weak = std::weak_ptr<MenuItem>(item)] {
                if (const auto chosen = weak.lock()) {
                    MenuCommands::Choose(*chosen);
                }
            });
        }
    }
}

} // namespace

QMenuBar* NewMenuBarView(MenuBar& bar, QWidget* parent)
{
    auto* view = new MenuBarWidget(parent);
    view->setNativeMenuBar(false);
    view->setStyle(MenuBarStyle());
    for (Int32 i = 0; i < bar.Count(); ++i) {
        const auto title = bar.Item(i);
        QMenu* menu = view->addMenu(QString());
        MenuItemViews::Attach(*title, menu->menuAction());
        QObject::connect(menu, &QMenu::aboutToShow, menu, [] { MenuCommands::RunEnablingPass(); });
        FillMenu(*menu, *title);
    }
    return view;
}
