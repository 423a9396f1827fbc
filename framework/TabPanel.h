#pragma once
// A control with tabs along its top; each tab shows the controls placed on its page
// (RectControlProperties::InitialParent and TabPanelIndex).

#include "framework/RectControl.h"
#include "framework/TextStyle.h"

#include <vector>

struct TabPanelProperties {
    RectControlProperties Control{};
    TextStyle Style{};
    // The tab titles, separated by CR.
    String TabDefinition{};
    // The tab shown, from 0.
    Int32 Value = 0;
};

class TabPanel : public RectControl {
public:
    TabPanel();

    void SetProperties(const TabPanelProperties& properties);
    Int32 Value() const;
    void SetValue(Int32 value);

private:
    void Host(RectControl& control, Int32 page) override;
    void ShowPage();

    std::vector<std::pair<std::weak_ptr<RectControl>, Int32>> itsHosted;
};
