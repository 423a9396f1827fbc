#pragma once
// The toolkit's messages (its warnings, and those of the libraries it reads pictures and sounds
// with) pass to standard error once each: a broken picture that is looked for at every tick
// is reported once per run, not ten times a second. Its informational notes do not pass.

#include <QtGlobal>

class MessageGate {
public:
    // Takes the toolkit's messages from now on; later calls do nothing.
    static void Install();

    // More distinct messages than this are not passed, nor remembered.
    static constexpr int MaxDistinct = 256;

private:
    static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& text);
};
