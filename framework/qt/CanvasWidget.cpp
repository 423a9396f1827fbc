#include "framework/qt/CanvasWidget.h"

#include "framework/Canvas.h"
#include "framework/Graphics.h"
#include "framework/qt/DrawTarget.h"

#include <QMouseEvent>
#include <QPainter>

CanvasWidget::CanvasWidget(Canvas& owner) : itsOwner(&owner)
{
    // Whatever Paint leaves undrawn keeps the last frame, unless an erase was asked for.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void CanvasWidget::Forget()
{
    itsOwner = nullptr;
}

std::shared_ptr<Canvas> CanvasWidget::Owner() const
{
    return itsOwner ? std::static_pointer_cast<Canvas>(itsOwner->weak_from_this().lock()) : nullptr;
}

void CanvasWidget::paintEvent(QPaintEvent*)
{
    const auto owner = Owner();
    if (!owner) {
        return;
    }
    QPainter painter(this);
    if (owner->itsErasePending && owner->itsEraseBackground) {
        painter.fillRect(rect(), palette().window());
    }
    owner->itsErasePending = false;
    Graphics g(DrawTarget::OnPainter(painter, size()));
    g.DrawPicture(owner->itsBackdrop, 0, 0);
    owner->Event_Paint(g);
}

void CanvasWidget::showEvent(QShowEvent*)
{
    if (itsOwner) {
        itsOwner->itsErasePending = true;
    }
}

void CanvasWidget::mousePressEvent(QMouseEvent* event)
{
    // Only the primary button plays; the others are taken here and do nothing.
    if (event->button() != Qt::LeftButton || itsTracking) {
        return;
    }
    if (const auto owner = Owner()) {
        const QPoint at = event->position().toPoint();
        itsTracking = owner->Event_MouseDown(at.x(), at.y());
    }
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event)
{
    const auto owner = Owner();
    if (itsTracking && owner) {
        const QPoint at = event->position().toPoint();
        owner->Event_MouseDrag(at.x(), at.y());
    }
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !itsTracking) {
        return;
    }
    itsTracking = false;
    if (const auto owner = Owner()) {
        const QPoint at = event->position().toPoint();
        owner->Event_MouseUp(at.x(), at.y());
    }
}

void CanvasWidget::enterEvent(QEnterEvent*)
{
    if (const auto owner = Owner()) {
        owner->Event_MouseEnter();
    }
}

void CanvasWidget::leaveEvent(QEvent*)
{
    if (const auto owner = Owner()) {
        owner->Event_MouseExit();
    }
}
