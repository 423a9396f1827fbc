#include "tests/puzzle/FieldWindowTest.h"

#include "framework/Window.h"
#include "framework/qt/LayerAccess.h"

#include <QApplication>
#include <QCursor>
#include <QTest>
#include <QWidget>

void FieldWindowTest::SetUp()
{
    window = std::make_shared<Window>();
    window->SetProperties({.Width = 320, .Height = 330, .Title = "Field", .Resizeable = false});
    window->AddControl("TheGameField", field);
    field->SetProperties({.Control = {.Left = FieldLeft, .Top = FieldTop, .Width = 300, .Height = 300}});
    field->Created.Attach([](OffscreenCanvas& canvas) { canvas.CreateOffscreen(32, true); });
    window->Constructor();
    QCoreApplication::processEvents();
    PointAt(-5, -5);
}

void FieldWindowTest::TearDown()
{
    WindowAccess::ReleaseAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void FieldWindowTest::AfterStep()
{
    window->UpdateNow();
}

QWidget* FieldWindowTest::FieldWidget() const
{
    return ControlAccess::Widget(*field);
}

void FieldWindowTest::PointAt(Int32 x, Int32 y)
{
    // The window learns where the pointer went from the move event that follows.
    QCursor::setPos(FieldWidget()->mapToGlobal(QPoint(x, y)));
    QCoreApplication::processEvents();
}

void FieldWindowTest::PressAt(Int32 x, Int32 y)
{
    PointAt(x, y);
    QTest::mousePress(FieldWidget(), Qt::LeftButton, {}, QPoint(x, y));
}

void FieldWindowTest::ReleaseAt(Int32 x, Int32 y)
{
    PointAt(x, y);
    QTest::mouseRelease(FieldWidget(), Qt::LeftButton, {}, QPoint(x, y));
}

void FieldWindowTest::PressOn(Int32 s)
{
    const auto [x, y] = CellCentre(s);
    PressAt(x, y);
}

void FieldWindowTest::ReleaseOn(Int32 s)
{
    const auto [x, y] = CellCentre(s);
    ReleaseAt(x, y);
}
