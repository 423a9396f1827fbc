#pragma once
// A control that shows a line (or, Multiline, lines) of text.

#include "framework/Color.h"
#include "framework/RectControl.h"
#include "framework/TextStyle.h"

struct LabelProperties {
    RectControlProperties Control{};
    TextStyle Style{};
    Color TextColor = Color(0x000000);
    // 0 and 1: left, 2: centre, 3: right.
    Int32 TextAlign = 0;
    bool Multiline = false;
    String Text{};
};

class Label : public RectControl {
public:
    Label();

    void SetProperties(const LabelProperties& properties);
    String Text() const;
    void SetText(const String& text);

private:
    String itsText;
};
