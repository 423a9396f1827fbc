#pragma once
// The font of a control's text.

#include "framework/Types.h"

struct TextStyle {
    // "System" or "": the system font.
    String TextFont = "System";
    // In pixels; 0: the system size.
    double TextSize = 0;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
};
