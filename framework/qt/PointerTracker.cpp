#include "framework/qt/PointerTracker.h"

#include <QCoreApplication>
#include <QCursor>
#include <QPointer>
#include <QSinglePointEvent>

namespace {

QPointer<PointerTracker> theTracker;

} // namespace

void PointerTracker::Install()
{
    if (!theTracker && QCoreApplication::instance()) {
        theTracker = new PointerTracker(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(theTracker);
    }
}

QPoint PointerTracker::GlobalPosition()
{
    if (!theTracker) {
        return QCursor::pos();
    }
    PointerTracker& tracker = *theTracker;
    if (tracker.itsSource == Source::Unknown) {
        tracker.itsPosition = QCursor::pos();
        tracker.itsSource = Source::Asked;
    }
    return tracker.itsPosition;
}

bool PointerTracker::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Enter:
        if (const auto* pointer = dynamic_cast<const QSinglePointEvent*>(event)) {
            itsPosition = pointer->globalPosition().toPoint();
            itsSource = Source::Followed;
        }
        break;
    case QEvent::Leave:
        // A leave between widgets keeps the pointer in the window; only the window's own counts.
        if (watched->isWindowType()) {
            itsSource = Source::Unknown;
        }
        break;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
        // A window that comes to lie under a position asked for earlier does not make it true.
        if (watched->isWindowType() && itsSource == Source::Asked) {
            itsSource = Source::Unknown;
        }
        break;
    default:
        break;
    }
    return false;
}
