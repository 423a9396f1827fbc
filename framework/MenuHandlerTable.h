#pragma once
// Menu handlers by item name. A handler answers True when it has handled the command.

#include "framework/Types.h"

#include <functional>
#include <map>
#include <variant>

class MenuItem;

class MenuHandlerTable {
public:
    // A later handler for the same name replaces the earlier one.
    void Add(const String& itemName, std::function<bool()> handler);
    // The handler receives the chosen item's Index.
    void Add(const String& itemName, std::function<bool(Int32 index)> handler);

    // Runs the handler registered under the item's name; false when there is none.
    bool Run(const MenuItem& item) const;

private:
    using Handler = std::variant<std::function<bool()>, std::function<bool(Int32)>>;
    std::map<String, Handler> itsHandlers;
};
