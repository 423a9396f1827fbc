#include "framework/MenuItem.h"

#include "framework/qt/MenuItemViews.h"

MenuItem::MenuItem() : itsViews(std::make_unique<MenuItemViews>()) {}

MenuItem::~MenuItem() = default;

String MenuItem::Name() const
{
    return itsName;
}

void MenuItem::SetName(const String& name)
{
    itsName = name;
}

String MenuItem::Text() const
{
    return itsText;
}

void MenuItem::SetText(const String& text)
{
    itsText = text;
    MenuItemViews::Update(*this);
}

String MenuItem::KeyboardShortcut() const
{
    return itsShortcut;
}

void MenuItem::SetKeyboardShortcut(const String& shortcut)
{
    itsShortcut = shortcut;
    MenuItemViews::Update(*this);
}

bool MenuItem::AutoEnable() const
{
    return itsAutoEnable;
}

void MenuItem::SetAutoEnable(bool autoEnable)
{
    itsAutoEnable = autoEnable;
}

Int32 MenuItem::Index() const
{
    return itsIndex;
}

void MenuItem::SetIndex(Int32 index)
{
    itsIndex = index;
}

bool MenuItem::Checked() const
{
    return itsChecked;
}

void MenuItem::SetChecked(bool checked)
{
    itsChecked = checked;
    MenuItemViews::Update(*this);
}

bool MenuItem::Enabled() const
{
    return itsEnabled;
}

void MenuItem::SetEnabled(bool enabled)
{
    itsEnabled = enabled;
    MenuItemViews::Update(*this);
}

void MenuItem::Enable()
{
    SetEnabled(true);
}

bool MenuItem::IsSeparator() const
{
    return itsText == "-";
}

void MenuItem::Append(std::shared_ptr<MenuItem> item)
{
    if (item) {
        itsItems.push_back(std::move(item));
    }
}

std::shared_ptr<MenuItem> MenuItem::Child(const String& name) const
{
    for (const auto& item : itsItems) {
        if (item->Name() == name) {
            return item;
        }
    }
    return nullptr;
}

Int32 MenuItem::Count() const
{
    return static_cast<Int32>(itsItems.size());
}

std::shared_ptr<MenuItem> MenuItem::Item(Int32 i) const
{
    if (i < 0 || i >= Count()) {
        return nullptr;
    }
    return itsItems[static_cast<size_t>(i)];
}
