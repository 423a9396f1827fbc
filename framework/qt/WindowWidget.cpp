#include "framework/qt/WindowWidget.h"

#include "framework/Window.h"
#include "framework/qt/KeyTranslation.h"
#include "framework/qt/LayerAccess.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace {

// The content area: presses on the window's background, not on a control that took them.
class ContentWidget : public QWidget {
public:
    explicit ContentWidget(WindowWidget* parent) : QWidget(parent), itsWindowWidget(parent) {}

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton) {
            itsWindowWidget->BackgroundPressed(event->position().toPoint());
        }
    }

private:
    WindowWidget* itsWindowWidget;
};

} // namespace

WindowWidget::WindowWidget(Window& owner)
    : itsOwner(&owner), itsLayout(new QVBoxLayout(this)), itsContent(new ContentWidget(this))
{
    itsLayout->setContentsMargins(0, 0, 0, 0);
    itsLayout->setSpacing(0);
    itsLayout->addWidget(itsContent);
}

void WindowWidget::Forget()
{
    itsOwner = nullptr;
}

QWidget* WindowWidget::Content() const
{
    return itsContent;
}

QMenuBar* WindowWidget::MenuBarView() const
{
    return itsMenuBarView;
}

void WindowWidget::SetMenuBarView(QMenuBar* view)
{
    delete itsMenuBarView;
    itsMenuBarView = view;
    itsLayout->setMenuBar(view);
}

void WindowWidget::SetContentSize(QSize size, QSize minimum, QSize maximum, bool resizeable)
{
    if (resizeable) {
        itsContent->setMinimumSize(minimum);
        itsContent->setMaximumSize(maximum);
        itsLayout->setSizeConstraint(QLayout::SetMinAndMaxSize);
        const int menuBarHeight = itsMenuBarView ? itsMenuBarView->sizeHint().height() : 0;
        resize(size.width(), size.height() + menuBarHeight);
    } else {
        itsContent->setFixedSize(size);
        itsLayout->setSizeConstraint(QLayout::SetFixedSize);
    }
    itsLayout->activate();
}

void WindowWidget::BackgroundPressed(QPoint at)
{
    if (auto owner = Owner()) {
        owner->Event_MouseDown(at.x(), at.y());
    }
}

std::shared_ptr<Window> WindowWidget::Owner() const
{
    return itsOwner ? itsOwner->weak_from_this().lock() : nullptr;
}

void WindowWidget::keyPressEvent(QKeyEvent* event)
{
    const String key = KeyStringOf(*event);
    const auto owner = Owner();
    if (key.empty() || !owner) {
        event->ignore();
        return;
    }
    owner->Event_KeyDown(key);
}

void WindowWidget::closeEvent(QCloseEvent* event)
{
    // The Window decides, through CancelClose; it hides this widget when it closes.
    event->ignore();
    if (auto owner = Owner()) {
        owner->Close();
    }
}

void WindowWidget::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && itsOwner) {
        WindowAccess::Activated(*itsOwner);
    }
}

bool WindowWidget::focusNextPrevChild(bool)
{
    return false;
}
