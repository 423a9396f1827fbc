// Text controls and the tab panel that shows them page by page; cursors from the resources.
#include "tests/support/UiTest.h"

#include "framework/Canvas.h"
#include "framework/Label.h"
#include "framework/MouseCursor.h"
#include "framework/ResourceFork.h"
#include "framework/TabPanel.h"
#include "framework/TestSeams.h"
#include "framework/TextArea.h"
#include "framework/qt/CursorImage.h"
#include "tests/support/ScratchFolder.h"

#include <QAccessible>
#include <QGlyphRun>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRawFont>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextLayout>

#include <map>
#include <string>

namespace {

class ControlsTest : public UiTest {
protected:
    void SetUp() override { window = NewRecordingWindow({.Width = 400, .Height = 370}); }

    std::shared_ptr<TextArea> AddPage(const String& name, Int32 page, const String& text)
    {
        auto area = std::make_shared<TextArea>();
        window->AddControl(name, area);
        area->SetProperties({
            .Control = {.Left = 6,
                        .Top = 23,
                        .Width = 388,
                        .Height = 342,
                        .InitialParent = "Tabs",
                        .TabPanelIndex = page},
            .ReadOnly = true,
            .Text = text,
        });
        return area;
    }

    std::shared_ptr<RecordingWindow> window;
};

TEST_F(ControlsTest, EachTabShowsTheControlsOfItsPageInWindowCoordinates)
{
    auto tabs = std::make_shared<TabPanel>();
    window->AddControl("Tabs", tabs);
    tabs->SetProperties({
        .Control = {.Left = 0, .Top = 1, .Width = 400, .Height = 369},
        .Style = {.TextSize = 9},
        .TabDefinition = "One\rTwo\rThree",
    });
    const auto first = AddPage("First", 1, "a");
    const auto second = AddPage("Second", 2, "b");
    const auto always = AddPage("Always", 0, "c");
    QWidget* firstWidget = ControlAccess::Widget(*first);
    QWidget* secondWidget = ControlAccess::Widget(*second);
    auto& tabWidget = static_cast<QTabWidget&>(*ControlAccess::Widget(*tabs));

    ASSERT_EQ(tabWidget.count(), 3);
    EXPECT_EQ(tabWidget.tabText(2), "Three");
    EXPECT_EQ(tabs->Value(), 0);
    EXPECT_TRUE(firstWidget->isVisible());
    EXPECT_FALSE(secondWidget->isVisible());
    EXPECT_TRUE(ControlAccess::Widget(*always)->isVisible());
    EXPECT_EQ(firstWidget->geometry(), QRect(6, 23, 388, 342));
    EXPECT_EQ(firstWidget->parentWidget(), WindowAccess::Content(*window));

    // A click on the second tab, as the user makes it.
    QTabBar* bar = tabWidget.tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    EXPECT_EQ(tabs->Value(), 1);
    EXPECT_FALSE(firstWidget->isVisible());
    EXPECT_TRUE(secondWidget->isVisible());

    // A hidden control stays hidden when its page comes up.
    first->SetVisible(false);
    tabs->SetValue(0);
    EXPECT_FALSE(firstWidget->isVisible());
    EXPECT_FALSE(secondWidget->isVisible());
}

TEST_F(ControlsTest, TextsKeepTheirLineEndsAndAReadOnlyAreaTakesNoTyping)
{
    const String text = "\u3000one\r\rthree\r";
    const auto area = AddPage("Area", 0, text);
    auto& edit = static_cast<QPlainTextEdit&>(*ControlAccess::Widget(*area));
    EXPECT_EQ(area->Text(), text);
    EXPECT_EQ(edit.toPlainText(), QString::fromUtf8("\u3000one\n\nthree\n"));
    edit.setFocus();
    QTest::keyClicks(&edit, "xyz");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.toPlainText(), QString::fromUtf8("\u3000one\n\nthree\n"));
    EXPECT_EQ(area->Text(), text);

    auto label = std::make_shared<Label>();
    window->AddControl("Name", label);
    label->SetProperties({.Control = {.Left = 64, .Top = 24, .Width = 100, .Height = 16},
                          .Style = {.TextSize = 12, .Bold = true},
                          .TextAlign = 2,
                          .Text = "Kalmeno 10.0.4"});
    auto& qlabel = static_cast<QLabel&>(*ControlAccess::Widget(*label));
    EXPECT_EQ(qlabel.text(), "Kalmeno 10.0.4");
    EXPECT_EQ(qlabel.font().pixelSize(), 12);
    EXPECT_TRUE(qlabel.font().bold());
    EXPECT_TRUE(qlabel.alignment().testFlag(Qt::AlignHCenter));
}

// The font family that draws each character of an area's text, by position in the text.
std::map<int, std::string> FamiliesDrawing(QPlainTextEdit& edit)
{
    edit.show();
    std::map<int, std::string> families;
    for (QTextBlock block = edit.document()->begin(); block.isValid(); block = block.next()) {
        for (int i = 0; i < block.length() - 1; ++i) {
            for (const QGlyphRun& run : block.layout()->glyphRuns(i, 1)) {
                families[block.position() + i] = run.rawFont().familyName().toStdString();
            }
        }
    }
    return families;
}

TEST_F(ControlsTest, LatinLettersAndDigitsAreDrawnInOneFontOnEveryLineJapaneseOrNot)
{
    const QString latinLine = "Kalmeno 1.0.4 2011";
    const QString mixedLine = "\u3000IPAゴシック 003.03 / 独立行政法人";
    const auto area = AddPage("Area", 0, (latinLine + "\r" + mixedLine).toStdString());
    auto& edit = static_cast<QPlainTextEdit&>(*ControlAccess::Widget(*area));
    const std::map<int, std::string> families = FamiliesDrawing(edit);

    const std::string latin = families.at(0);
    const int mixed = int(latinLine.size()) + 1;
    for (int i = 0; i < mixedLine.size(); ++i) {
        const QChar c = mixedLine.at(i);
        if (c.isDigit() || (c.isLetter() && c.unicode() < 0x80)) {
            EXPECT_EQ(families.at(mixed + i), latin) << "at " << i << " in " << mixedLine.toStdString();
        }
    }
    for (int i = 0; i < latinLine.size(); ++i) {
        if (!latinLine.at(i).isSpace()) {
            EXPECT_EQ(families.at(i), latin) << "at " << i << " in " << latinLine.toStdString();
        }
    }
    // The Japanese is drawn, in a font that has it.
    EXPECT_TRUE(families.count(mixed + int(mixedLine.indexOf("ゴ"))));
}

TEST_F(ControlsTest, AClosedWindowsWidgetsLeaveTheToolkitsCacheAndCallNoGoneControl)
{
    auto tabs = std::make_shared<TabPanel>();
    window->AddControl("Tabs", tabs);
    tabs->SetProperties({.Control = {.Width = 400, .Height = 369}, .TabDefinition = "One\rTwo"});
    const QPointer<QTabWidget> tabWidget = static_cast<QTabWidget*>(ControlAccess::Widget(*tabs));
    const QPointer<QWidget> areaWidget = ControlAccess::Widget(*AddPage("Area", 0, "a"));
    // The toolkit keeps an accessibility interface for each widget it was asked about.
    const QAccessible::Id id = QAccessible::uniqueId(QAccessible::queryAccessibleInterface(areaWidget));
    ASSERT_NE(QAccessible::accessibleInterface(id), nullptr);

    window->Close();
    tabs.reset();
    window.reset();
    // The widgets go later; meanwhile a tab change reaches no gone control.
    ASSERT_TRUE(tabWidget);
    tabWidget->setCurrentIndex(1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EXPECT_FALSE(tabWidget);
    EXPECT_FALSE(areaWidget);
    EXPECT_EQ(QAccessible::accessibleInterface(id), nullptr);
}

TEST(ResourceFork, CursorsComeFromNumberedPicturesWithTheirHotSpots)
{
    ScratchFolder folder;
    QImage arrow(16, 16, QImage::Format_ARGB32);
    arrow.fill(Qt::black);
    arrow.setText("HotspotX", "3");
    arrow.setText("HotspotY", "40");
    ASSERT_TRUE(arrow.save(QString::fromStdString(folder / "Cursor168.png")));
    QImage plain(10, 12, QImage::Format_ARGB32);
    plain.fill(Qt::white);
    ASSERT_TRUE(plain.save(QString::fromStdString(folder / "Cursor169.png")));
    folder.Write("Cursor170.png", "not a picture at all");
    SetResourcesFolderOverride(folder.Path());

    const ResourceFork fork;
    const auto cursor = fork.GetCursor(168);
    ASSERT_NE(cursor, nullptr);
    EXPECT_EQ(cursor->Image().image.size(), QSize(16, 16));
    EXPECT_EQ(cursor->Image().hotSpot, QPoint(3, 15)) << "kept inside the picture";
    const auto centred = fork.GetCursor(169);
    ASSERT_NE(centred, nullptr);
    EXPECT_EQ(centred->Image().hotSpot, QPoint(5, 6));
    EXPECT_EQ(fork.GetCursor(170), nullptr);
    EXPECT_EQ(fork.GetCursor(171), nullptr);
    SetResourcesFolderOverride(std::nullopt);

    // On a control, and back to the arrow with null.
    Canvas canvas;
    canvas.SetMouseCursor(cursor);
    QWidget* widget = ControlAccess::Widget(canvas);
    EXPECT_TRUE(widget->testAttribute(Qt::WA_SetCursor));
    EXPECT_EQ(widget->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(widget->cursor().hotSpot(), QPoint(3, 15));
    canvas.SetMouseCursor(nullptr);
    EXPECT_EQ(widget->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(canvas.MouseCursor(), nullptr);
}

} // namespace
