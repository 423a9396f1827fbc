// Once the layer is set up, the toolkit's warnings reach standard error once each, from whichever
// thread they come, and its informational notes not at all.
#include "framework/qt/MessageGate.h"
#include "tests/support/StandardErrorCapture.h"

#include <QDebug>
#include <QLoggingCategory>
#include <QString>

#include <gtest/gtest.h>

#include <thread>

namespace {

int CountOf(const std::string& text, const std::string& line)
{
    int count = 0;
    for (std::size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1)) {
        ++count;
    }
    return count;
}

TEST(MessageGate, EachDistinctMessageIsPassedOnceWhateverItsThread)
{
    StandardErrorCapture capture;
    for (int i = 0; i < 5; ++i) {
        qWarning("gate test: libpng error: Read Error");
        qInfo("gate test: an info");
    }
    std::thread([] {
        for (int i = 0; i < 5; ++i) {
            qWarning("gate test: libpng error: Read Error");
            qWarning("gate test: from another thread");
        }
    }).join();
    qDebug() << "gate test: from another thread";
    const std::string text = capture.Text();
    EXPECT_EQ(CountOf(text, "gate test: libpng error: Read Error\n"), 1) << text;
    EXPECT_EQ(CountOf(text, "gate test: an info\n"), 1) << text;
    EXPECT_EQ(CountOf(text, "gate test: from another thread\n"), 1) << text;
}

Q_LOGGING_CATEGORY(toolkitCategory, "qt.gate.test")

TEST(MessageGate, TheToolkitsNotesArePassedOverAndItsWarningsAreNot)
{
    StandardErrorCapture capture;
    qCInfo(toolkitCategory, "gate test: the toolkit found a codec");
    qCWarning(toolkitCategory, "gate test: the toolkit found no audio device");
    const std::string text = capture.Text();
    EXPECT_EQ(CountOf(text, "gate test: the toolkit found a codec"), 0) << text;
    EXPECT_EQ(CountOf(text, "gate test: the toolkit found no audio device\n"), 1) << text;
}

TEST(MessageGate, MessagesThatNeverRepeatStillStopAtTheBound)
{
    StandardErrorCapture capture;
    for (int i = 0; i < 3 * MessageGate::MaxDistinct; ++i) {
        qWarning("gate bound test %d", i);
    }
    const std::string text = capture.Text();
    const int lines = CountOf(text, "gate bound test ");
    EXPECT_GT(lines, 0);
    EXPECT_LE(lines, MessageGate::MaxDistinct);
}

} // namespace
