#pragma once
// A small canvas showing the target-system badge: the 16 by 8 strip of TargetSystemPict whose
// top edge lies at y = 32, in the control's top-left corner.

#include "framework/Canvas.h"

class TargetSystemDisplay : public Canvas {
public:
    // Handled here; the owner of a display is not offered Paint.
    void Event_Paint(Graphics& g) override;
    virtual String VersionInfo();
};
