#include "framework/MenuBar.h"

#include <optional>

namespace {

std::shared_ptr<MenuItem> Find(const MenuItem& menu, const String& name, std::optional<Int32> index)
{
    for (Int32 i = 0; i < menu.Count(); ++i) {
        auto item = menu.Item(i);
        if (item->Name() == name && (!index || item->Index() == *index)) {
            return item;
        }
        if (auto found = Find(*item, name, index)) {
            return found;
        }
    }
    return nullptr;
}

} // namespace

std::shared_ptr<MenuItem> MenuBar::Lookup(const String& name) const
{
    return Find(*this, name, std::nullopt);
}

std::shared_ptr<MenuItem> MenuBar::Lookup(const String& name, Int32 index) const
{
    return Find(*this, name, index);
}
