#pragma once
// The game field's tests on a real window under the offscreen platform: the field placed away
// from the window's corner, real Qt mouse events, and the pointer put where a test needs it.

#include "tests/puzzle/FieldTest.h"

class QWidget;
class Window;

class FieldWindowTest : public FieldTest {
protected:
    static constexpr Int32 FieldLeft = 10;
    static constexpr Int32 FieldTop = 20;

    void SetUp() override;
    void TearDown() override;

    QWidget* FieldWidget() const;
    // The pointer over the field point (x, y).
    void PointAt(Int32 x, Int32 y);
    // Real press and release of the primary button at field points; the pointer follows.
    void PressAt(Int32 x, Int32 y);
    void ReleaseAt(Int32 x, Int32 y);
    void PressOn(Int32 s);
    void ReleaseOn(Int32 s);
    // The window brought up to date, as the main window's tick does.
    void AfterStep() override;

    std::shared_ptr<Window> window;
};
