#include "framework/Input.h"

#include "framework/TestSeams.h"

#include <QApplication>

namespace {
std::optional<bool> shiftKeyOverride;
std::optional<bool> mouseDownOverride;
Int32 beepCount = 0;
} // namespace

bool Keyboard::ShiftKey()
{
    if (shiftKeyOverride) {
        return *shiftKeyOverride;
    }
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
}

bool System::MouseDown()
{
    if (mouseDownOverride) {
        return *mouseDownOverride;
    }
    return QGuiApplication::mouseButtons().testFlag(Qt::LeftButton);
}

void Beep()
{
    ++beepCount;
    QApplication::beep();
}

void SetShiftKeyOverride(std::optional<bool> held)
{
    shiftKeyOverride = held;
}

void SetMouseDownOverride(std::optional<bool> down)
{
    mouseDownOverride = down;
}

Int32 BeepCount()
{
    return beepCount;
}
