#include "framework/RectControl.h"

#include "framework/MouseCursor.h"
#include "framework/Window.h"
#include "framework/qt/CursorImage.h"
#include "framework/qt/LayerAccess.h"
#include "framework/qt/PointerTracker.h"

#include <QPointer>
#include <QWidget>

struct RectControl::Impl {
    QPointer<QWidget> widget;
    Int32 left = 0;
    Int32 top = 0;
    Int32 width = 100;
    Int32 height = 100;
    bool visible = true;
    bool enabled = true;
    bool onShownPage = true;
    std::shared_ptr<::MouseCursor> cursor;
};

RectControl::RectControl() : itsImpl(std::make_unique<Impl>()) {}

RectControl::~RectControl()
{
    if (QWidget* widget = itsImpl->widget) {
        // Deleted later: the control may go while an event of its widget is being handled.
        // Only the control's own handlers (their context is the widget) are cut; the toolkit's
        // stay, so that its caches still learn of the widget's end.
        widget->disconnect(widget);
        widget->hide();
        widget->deleteLater();
    }
}

Int32 RectControl::Left() const
{
    return itsImpl->left;
}

void RectControl::SetLeft(Int32 left)
{
    itsImpl->left = left;
    UpdateGeometry();
}

Int32 RectControl::Top() const
{
    return itsImpl->top;
}

void RectControl::SetTop(Int32 top)
{
    itsImpl->top = top;
    UpdateGeometry();
}

Int32 RectControl::Width() const
{
    return itsImpl->width;
}

void RectControl::SetWidth(Int32 width)
{
    itsImpl->width = width;
    UpdateGeometry();
}

Int32 RectControl::Height() const
{
    return itsImpl->height;
}

void RectControl::SetHeight(Int32 height)
{
    itsImpl->height = height;
    UpdateGeometry();
}

bool RectControl::Visible() const
{
    return itsImpl->visible;
}

void RectControl::SetVisible(bool visible)
{
    itsImpl->visible = visible;
    UpdateShown();
}

bool RectControl::Enabled() const
{
    return itsImpl->enabled;
}

void RectControl::SetEnabled(bool enabled)
{
    itsImpl->enabled = enabled;
    if (itsImpl->widget) {
        itsImpl->widget->setEnabled(enabled);
    }
}

Int32 RectControl::MouseX() const
{
    return itsImpl->widget ? itsImpl->widget->mapFromGlobal(PointerTracker::GlobalPosition()).x() + Left() : 0;
}

Int32 RectControl::MouseY() const
{
    return itsImpl->widget ? itsImpl->widget->mapFromGlobal(PointerTracker::GlobalPosition()).y() + Top() : 0;
}

void RectControl::Refresh(bool)
{
    if (itsImpl->widget) {
        itsImpl->widget->update();
    }
}

std::shared_ptr<::MouseCursor> RectControl::MouseCursor() const
{
    return itsImpl->cursor;
}

void RectControl::SetMouseCursor(std::shared_ptr<::MouseCursor> cursor)
{
    itsImpl->cursor = std::move(cursor);
    if (QWidget* widget = itsImpl->widget) {
        if (itsImpl->cursor) {
            widget->setCursor(itsImpl->cursor->Image().ToCursor());
        } else {
            widget->unsetCursor();
        }
    }
}

void RectControl::ApplyProperties(const RectControlProperties& p)
{
    itsImpl->left = p.Left;
    itsImpl->top = p.Top;
    itsImpl->width = p.Width;
    itsImpl->height = p.Height;
    UpdateGeometry();
    itsImpl->visible = p.Visible;
    UpdateShown();
    SetEnabled(p.Enabled);
    if (itsImpl->widget) {
        itsImpl->widget->setToolTip(QString::fromStdString(p.HelpTag));
    }
    const auto window = Window();
    const auto parent = window ? window->ControlByName<RectControl>(p.InitialParent) : nullptr;
    if (parent && parent.get() != this) {
        parent->Host(*this, p.TabPanelIndex);
    }
}

void RectControl::Host(RectControl&, Int32) {}

void RectControl::UpdateGeometry()
{
    if (itsImpl->widget) {
        itsImpl->widget->setGeometry(Left(), Top(), Width(), Height());
    }
}

void RectControl::UpdateShown()
{
    // A widget without a parent would show as a window of its own.
    if (itsImpl->widget && itsImpl->widget->parentWidget()) {
        itsImpl->widget->setVisible(itsImpl->visible && itsImpl->onShownPage);
    }
}

QWidget* ControlAccess::Widget(const RectControl& control)
{
    return control.itsImpl->widget;
}

void ControlAccess::Attach(RectControl& control, QWidget* widget)
{
    control.itsImpl->widget = widget;
    control.UpdateGeometry();
    widget->setEnabled(control.Enabled());
}

void ControlAccess::PlaceIn(RectControl& control, QWidget* content)
{
    if (QWidget* widget = control.itsImpl->widget) {
        widget->setParent(content);
        control.UpdateGeometry();
        control.UpdateShown();
    }
}

void ControlAccess::SetOnShownPage(RectControl& control, bool shown)
{
    control.itsImpl->onShownPage = shown;
    control.UpdateShown();
}
