#pragma once
// A control that shows and, unless ReadOnly, edits a text of many lines. Lines may end in
// CR, LF or CR LF; Text gives back the text as it was set.

#include "framework/Color.h"
#include "framework/RectControl.h"
#include "framework/TextStyle.h"

struct TextAreaProperties {
    RectControlProperties Control{};
    TextStyle Style{};
    Color TextColor = Color(0x000000);
    Color BackColor = Color(0xFFFFFF);
    // 0 and 1: left, 2: centre, 3: right.
    Int32 Alignment = 0;
    bool ReadOnly = false;
    bool ScrollbarVertical = true;
    // False: long lines wrap at the right edge.
    bool ScrollbarHorizontal = false;
    bool Border = true;
    String Text{};
};

class TextArea : public RectControl {
public:
    TextArea();

    void SetProperties(const TextAreaProperties& properties);
    String Text() const;
    void SetText(const String& text);

private:
    String itsText;
};
