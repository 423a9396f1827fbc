#pragma once
// Where the pointer is on the screen, followed from the mouse events that the program's windows
// receive, so that asking costs no round trip to the window system. While the pointer is outside
// every window of the program no events come: the position is then asked for once and kept
// until the pointer is back or a window of the program moves or shows.

#include <QObject>
#include <QPoint>

class PointerTracker : public QObject {
public:
    // Installs the tracker on the application; it is removed with the application.
    static void Install();
    // The pointer in global screen coordinates.
    static QPoint GlobalPosition();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;

    enum class Source { Unknown, Asked, Followed };

    QPoint itsPosition;
    Source itsSource = Source::Unknown;
};
