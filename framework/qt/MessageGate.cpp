#include "framework/qt/MessageGate.h"

#include "framework/qt/DisplayLoss.h"

#include <QLoggingCategory>
#include <QMutex>
#include <QSet>
#include <QString>

namespace {

QtMessageHandler passOn = nullptr;

// Messages come from any thread (the toolkit's audio and loading threads among them).
QMutex seenLock;
QSet<QString> seen;

// True the first time this text is offered, while fewer than MaxDistinct texts were.
bool FirstTime(const QString& text)
{
    const QMutexLocker locker(&seenLock);
    if (seen.contains(text) || seen.size() >= MessageGate::MaxDistinct) {
        return false;
    }
    seen.insert(text);
    return true;
}

} // namespace

void MessageGate::Install()
{
    if (!passOn) {
        passOn = qInstallMessageHandler(Handle);
        // The toolkit's notes on what it found at start-up are not problems; QT_LOGGING_RULES
        // still turns them back on.
        QLoggingCategory::setFilterRules(QStringLiteral("qt.*.info=false"));
    }
}

void MessageGate::Handle(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    // A fatal message ends the program: it is always told.
    if (type != QtFatalMsg && DisplayLoss::IsLost()) {
        // The toolkit's word on the loss, and on what failed with it, give way to one line.
        DisplayLoss::Tell();
    } else if (type == QtFatalMsg || FirstTime(text)) {
        passOn(type, context, text);
    }
}
