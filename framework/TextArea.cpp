#include "framework/TextArea.h"

#include "framework/qt/Conversions.h"
#include "framework/qt/LayerAccess.h"

#include <QPlainTextEdit>
#include <QTextOption>

namespace {

QPlainTextEdit& WidgetOf(const TextArea& area)
{
    return static_cast<QPlainTextEdit&>(*ControlAccess::Widget(area));
}

} // namespace

TextArea::TextArea()
{
    ControlAccess::Attach(*this, new QPlainTextEdit);
}

void TextArea::SetProperties(const TextAreaProperties& p)
{
    ApplyProperties(p.Control);
    QPlainTextEdit& area = WidgetOf(*this);
    area.setFont(QFontOf(p.Style));
    QPalette palette = area.palette();
    palette.setColor(QPalette::Text, QColorOf(p.TextColor));
    palette.setColor(QPalette::Base, QColorOf(p.BackColor));
    area.setPalette(palette);
    QTextOption option = area.document()->defaultTextOption();
    option.setAlignment(QAlignmentOf(p.Alignment));
    area.document()->setDefaultTextOption(option);
    area.setReadOnly(p.ReadOnly);
    area.setVerticalScrollBarPolicy(p.ScrollbarVertical ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    area.setHorizontalScrollBarPolicy(p.ScrollbarHorizontal ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    area.setLineWrapMode(p.ScrollbarHorizontal ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    area.setFrameShape(p.Border ? QFrame::StyledPanel : QFrame::NoFrame);
    SetText(p.Text);
}

String TextArea::Text() const
{
    return itsText;
}

void TextArea::SetText(const String& text)
{
    itsText = text;
    WidgetOf(*this).setPlainText(DisplayTextOf(text));
}
