// The yardsticks of the idle benchmark: a toolkit window of the game's size that does nothing.
// A menu bar over a 300 by 300 area painted once, shown until the process is killed.
//
//     bare_window [--poll MS]
//
// With --poll, an empty timer fires every MS milliseconds as the game's clock polls: what the
// wake-ups alone cost through the toolkit's event loop.

#include <QApplication>
#include <QBasicTimer>
#include <QMenuBar>
#include <QPainter>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdlib>
#include <cstring>

namespace {

class PaintedArea : public QWidget {
public:
    PaintedArea() { setFixedSize(300, 300); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(40, 110, 60));
        painter.fillRect(30, 46, 240, 208, QColor(230, 220, 190));
    }
};

// Fires and does nothing.
class EmptyPoll : public QObject {
public:
    void Start(int milliseconds) { timer.start(milliseconds, Qt::PreciseTimer, this); }

protected:
    void timerEvent(QTimerEvent*) override {}

private:
    QBasicTimer timer;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Bare window");
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* bar = new QMenuBar;
    for (const char* title : {"File", "Edit", "Game", "Help"}) {
        bar->addMenu(title)->addAction("Item");
    }
    layout->setMenuBar(bar);
    layout->addWidget(new PaintedArea);
    window.show();
    EmptyPoll poll;
    const int pollMs = argc == 3 && std::strcmp(argv[1], "--poll") == 0 ? std::atoi(argv[2]) : 0;
    if (pollMs > 0) {
        poll.Start(pollMs);
    }
    return app.exec();
}
