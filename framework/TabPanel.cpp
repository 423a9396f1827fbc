#include "framework/TabPanel.h"

#include "framework/qt/Conversions.h"
#include "framework/qt/LayerAccess.h"

#include <QTabWidget>

#include <algorithm>

namespace {

QTabWidget& WidgetOf(const TabPanel& panel)
{
    return static_cast<QTabWidget&>(*ControlAccess::Widget(panel));
}

} // namespace

TabPanel::TabPanel()
{
    auto* tabs = new QTabWidget;
    ControlAccess::Attach(*this, tabs);
    QObject::connect(tabs, &QTabWidget::currentChanged, tabs, [this] { ShowPage(); });
}

void TabPanel::SetProperties(const TabPanelProperties& p)
{
    ApplyProperties(p.Control);
    QTabWidget& tabs = WidgetOf(*this);
    tabs.setFont(QFontOf(p.Style));
    while (tabs.count() > 0) {
        QWidget* page = tabs.widget(0);
        tabs.removeTab(0);
        delete page;
    }
    // The pages stay empty: the controls on them are the window's, placed in its coordinates.
    for (const QString& title : QString::fromStdString(p.TabDefinition).split('\r', Qt::SkipEmptyParts)) {
        tabs.addTab(new QWidget, title);
    }
    SetValue(p.Value);
}

Int32 TabPanel::Value() const
{
    return WidgetOf(*this).currentIndex();
}

void TabPanel::SetValue(Int32 value)
{
    WidgetOf(*this).setCurrentIndex(value);
    ShowPage();
}

void TabPanel::Host(RectControl& control, Int32 page)
{
    const auto hosted = std::find_if(itsHosted.begin(), itsHosted.end(),
                                     [&](const auto& entry) { return entry.first.lock().get() == &control; });
    if (hosted != itsHosted.end()) {
        hosted->second = page;
    } else {
        itsHosted.emplace_back(std::static_pointer_cast<RectControl>(control.shared_from_this()), page);
    }
    if (QWidget* widget = ControlAccess::Widget(control)) {
        widget->raise();
    }
    ShowPage();
}

void TabPanel::ShowPage()
{
    const Int32 shown = Value() + 1;
    for (const auto& [weak, page] : itsHosted) {
        if (const auto control = weak.lock()) {
            ControlAccess::SetOnShownPage(*control, page == 0 || page == shown);
        }
    }
}
