#include "framework/MenuHandlerTable.h"

#include "framework/MenuItem.h"

void MenuHandlerTable::Add(const String& itemName, std::function<bool()> handler)
{
    itsHandlers[itemName] = std::move(handler);
}

void MenuHandlerTable::Add(const String& itemName, std::function<bool(Int32 index)> handler)
{
    itsHandlers[itemName] = std::move(handler);
}

bool MenuHandlerTable::Run(const MenuItem& item) const
{
    const auto found = itsHandlers.find(item.Name());
    if (found == itsHandlers.end()) {
        return false;
    }
    // A copy: the handler may close the window that holds this table.
    const Handler handler = found->second;
    if (const auto* plain = std::get_if<std::function<bool()>>(&handler)) {
        return *plain && (*plain)();
    }
    const auto& indexed = std::get<std::function<bool(Int32)>>(handler);
    return indexed && indexed(item.Index());
}
