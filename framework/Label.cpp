#include "framework/Label.h"

#include "framework/qt/Conversions.h"
#include "framework/qt/LayerAccess.h"

#include <QLabel>

namespace {

QLabel& WidgetOf(const Label& label)
{
    return static_cast<QLabel&>(*ControlAccess::Widget(label));
}

} // namespace

Label::Label()
{
    ControlAccess::Attach(*this, new QLabel);
}

void Label::SetProperties(const LabelProperties& p)
{
    ApplyProperties(p.Control);
    QLabel& label = WidgetOf(*this);
    label.setFont(QFontOf(p.Style));
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, QColorOf(p.TextColor));
    label.setPalette(palette);
    label.setAlignment(QAlignmentOf(p.TextAlign) | Qt::AlignVCenter);
    label.setWordWrap(p.Multiline);
    SetText(p.Text);
}

String Label::Text() const
{
    return itsText;
}

void Label::SetText(const String& text)
{
    itsText = text;
    WidgetOf(*this).setText(DisplayTextOf(text));
}
