#include "framework/qt/MenuItemViews.h"

#include "framework/MenuItem.h"
#include "framework/qt/KeyboardShortcut.h"

namespace {

QString ActionText(const MenuItem& item)
{
    QString text = QString::fromStdString(item.Text()).replace('&', "&&");
    if (const auto shortcut = KeyboardShortcut::Parse(item.KeyboardShortcut())) {
        // QMenu shows the part after a tab as the shortcut; the key itself is ours to match.
        text += '\t' + shortcut->DisplayText();
    }
    return text;
}

} // namespace

void MenuItemViews::Attach(MenuItem& item, QAction* action)
{
    // The actions of menu bars that went with their windows are dropped, not kept for ever.
    std::erase_if(item.itsViews->actions, [](const QPointer<QAction>& shown) { return shown.isNull(); });
    item.itsViews->actions.emplace_back(action);
    Update(item);
}

void MenuItemViews::Update(const MenuItem& item)
{
    for (const QPointer<QAction>& action : item.itsViews->actions) {
        if (!action) {
            continue;
        }
        if (!action->isSeparator()) {
            action->setText(ActionText(item));
        }
        action->setEnabled(item.Enabled());
        action->setCheckable(item.Checked());
        action->setChecked(item.Checked());
    }
}
