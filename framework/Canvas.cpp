#include "framework/Canvas.h"

#include "framework/Graphics.h"
#include "framework/Picture.h"
#include "framework/qt/CanvasWidget.h"
#include "framework/qt/LayerAccess.h"

namespace {

CanvasWidget* WidgetOf(const Canvas& canvas)
{
    return static_cast<CanvasWidget*>(ControlAccess::Widget(canvas));
}

} // namespace

Canvas::Canvas()
{
    ControlAccess::Attach(*this, new CanvasWidget(*this));
}

Canvas::~Canvas()
{
    if (CanvasWidget* widget = WidgetOf(*this)) {
        widget->Forget();
    }
}

void Canvas::SetProperties(const CanvasProperties& p)
{
    ApplyProperties(p.Control);
    itsEraseBackground = p.EraseBackground;
}

std::shared_ptr<Picture> Canvas::Backdrop() const
{
    return itsBackdrop;
}

void Canvas::SetBackdrop(std::shared_ptr<Picture> picture)
{
    itsBackdrop = std::move(picture);
    Refresh(true);
}

void Canvas::Refresh(bool eraseBackground)
{
    itsErasePending = itsErasePending || eraseBackground;
    RectControl::Refresh(eraseBackground);
}

void Canvas::Event_Open()
{
    Open.Raise(*this);
}

void Canvas::Event_Paint(Graphics& g)
{
    Paint.Raise(*this, g);
}

bool Canvas::Event_MouseDown(Int32 x, Int32 y)
{
    return MouseDown.Raise(*this, x, y);
}

void Canvas::Event_MouseUp(Int32 x, Int32 y)
{
    MouseUp.Raise(*this, x, y);
}

void Canvas::Event_MouseDrag(Int32 x, Int32 y)
{
    MouseDrag.Raise(*this, x, y);
}

void Canvas::Event_MouseEnter()
{
    MouseEnter.Raise(*this);
}

void Canvas::Event_MouseExit()
{
    MouseExit.Raise(*this);
}
