#include "AppTestSupport.h"

#include "app/HelpWindow.h"
#include "app/Menu.h"
#include "app/ResourceText.h"
#include "framework/MenuBar.h"
#include "framework/TabPanel.h"
#include "framework/TextArea.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QWidget>

#include <map>
#include <memory>
#include <vector>

namespace {

class HelpWindowTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        RegisterApplication();
    }

    static std::shared_ptr<HelpWindow> OpenHelp()
    {
        TheAppl().HelpApp_Action();
        ProcessEvents();
        return GetImplicitWindow<HelpWindow>();
    }

    static QPlainTextEdit* ShownTextArea(const HelpWindow& help)
    {
        for (QPlainTextEdit* area : ContentOf(help)->findChildren<QPlainTextEdit*>()) {
            if (area->isVisibleTo(ContentOf(help))) {
                return area;
            }
        }
        return nullptr;
    }

    static QString Displayed(const String& text) { return QString::fromStdString(text).replace('\r', '\n'); }
};

} // namespace

TEST_F(HelpWindowTest, OpensFixedWhiteAndTitledWithCloseAndMinimiseButtonsOnly)
{
    const auto help = OpenHelp();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->Title(), "Kalmenoの説明");
    EXPECT_EQ(help->Width(), 400);
    EXPECT_EQ(help->Height(), 370);
    QWidget* content = ContentOf(*help);
    EXPECT_EQ(content->minimumSize(), QSize(400, 370));
    EXPECT_EQ(content->maximumSize(), QSize(400, 370));
    const Qt::WindowFlags flags = WidgetOf(*help)->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(help->MenuBar(), nullptr);
    EXPECT_EQ(content->grab().toImage().pixelColor(399, 0), QColor(Qt::white));
}

TEST_F(HelpWindowTest, SixTabsInOrderEachShowingItsPageTextUnchanged)
{
    const auto help = OpenHelp();
    auto* tabs = ContentOf(*help)->findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    const QStringList titles = {"目的", "操作", "解説", "履歴", "使用条件", "感謝"};
    ASSERT_EQ(tabs->count(), 6);
    EXPECT_EQ(help->TabPanel1()->Value(), 0) << "opens on the first page";
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(tabs->tabText(i), titles[i]);
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(i).center());
        EXPECT_EQ(help->TabPanel1()->Value(), i);
        const auto area = help->EditField(i + 1);
        ASSERT_NE(area, nullptr);
        EXPECT_EQ(area->Text(), HelpPageText(i + 1)) << "byte for byte";
        QPlainTextEdit* shown = ShownTextArea(*help);
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->toPlainText(), Displayed(HelpPageText(i + 1)));
        EXPECT_EQ(shown->geometry(), QRect(6, 23, 388, 342));
    }
}

TEST_F(HelpWindowTest, TypingChangesNoText)
{
    const auto help = OpenHelp();
    QPlainTextEdit* shown = ShownTextArea(*help);
    ASSERT_NE(shown, nullptr);
    const QString before = shown->toPlainText();
    shown->setFocus();
    QTest::keyClicks(shown, "abc");
    QTest::keyClick(shown, Qt::Key_Backspace);
    QTest::keyClick(shown, Qt::Key_Return);
    EXPECT_EQ(shown->toPlainText(), before);
    EXPECT_EQ(help->EditField(1)->Text(), HelpPageText(1));
}

TEST_F(HelpWindowTest, AskingAgainBringsTheSameWindowForwardAndAfterCloseANewOneOnPageOne)
{
    const auto help = OpenHelp();
    help->TabPanel1()->SetValue(3);
    const auto other = OpenStandInMainWindow();
    ASSERT_EQ(WindowAt(0), other);

    EXPECT_EQ(OpenHelp(), help);
    EXPECT_EQ(WindowAt(0), help);
    EXPECT_EQ(WindowCount(), 2) << "no second help window";
    EXPECT_EQ(help->TabPanel1()->Value(), 3);

    help->Close();
    EXPECT_EQ(GetImplicitWindow<HelpWindow>(), nullptr);
    const auto again = OpenHelp();
    ASSERT_NE(again, nullptr);
    EXPECT_NE(again, help);
    EXPECT_EQ(again->TabPanel1()->Value(), 0);
}

TEST_F(HelpWindowTest, AClosedWindowLeavesNeitherItsObjectNorItsWidgetsBehind)
{
    OpenStandInMainWindow();
    ProcessEvents();
    const qsizetype widgetsBefore = QApplication::allWidgets().size();
    std::vector<std::weak_ptr<HelpWindow>> closed;
    for (int cycle = 0; cycle < 3; ++cycle) {
        const auto help = OpenHelp();
        ASSERT_NE(help, nullptr);
        help->TabPanel1()->SetValue(cycle);
        help->Close();
        closed.push_back(help);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (const auto& window : closed) {
        EXPECT_TRUE(window.expired());
    }
    EXPECT_EQ(QApplication::allWidgets().size(), widgetsBefore);
}

TEST_F(HelpWindowTest, CtrlWClosesItOnlyWhenItIsFront)
{
    const auto help = OpenHelp();
    const auto other = OpenStandInMainWindow();
    Press(*other, Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(GetImplicitWindow<HelpWindow>(), help) << "not front: its rule and handler stay out";
    EXPECT_FALSE(Menu::Instance()->Lookup("FileClose")->Enabled());

    help->Show();
    Press(*help, Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(GetImplicitWindow<HelpWindow>(), nullptr);
    EXPECT_EQ(WindowAt(0), other);
}

namespace {

// The Edit menu of the main window's bar as it shows after an enabling pass: item text to
// enabled state.
std::map<QString, bool> EditMenuShown(const Window& withBar)
{
    QMenu* edit = MenuTitled(withBar, "編集");
    emit edit->aboutToShow();
    std::map<QString, bool> shown;
    for (const QAction* action : edit->actions()) {
        if (!action->isSeparator()) {
            shown[action->text().section('\t', 0, 0)] = action->isEnabled();
        }
    }
    return shown;
}

// A drag with the primary button across the area's text, from one point to another.
void DragAcross(QPlainTextEdit& area, QPoint from, QPoint to)
{
    QWidget* viewport = area.viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), viewport->mapToGlobal(QPointF(to)), Qt::NoButton,
                     Qt::LeftButton, {});
    QCoreApplication::sendEvent(viewport, &move);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
}

} // namespace

TEST_F(HelpWindowTest, CtrlCCopiesSelectedTextAndTheEditMenuOffersCopyExactlyThen)
{
    const auto main = OpenStandInMainWindow();
    const auto help = OpenHelp();
    ASSERT_EQ(WindowAt(0), help);
    QPlainTextEdit* area = ShownTextArea(*help);
    ASSERT_NE(area, nullptr);
    QClipboard* clipboard = QGuiApplication::clipboard();
    const std::map<QString, bool> nothingButCopy = {
        {"取り消し", false}, {"カット", false}, {"コピー", true}, {"ペースト", false}, {"消去", false}};
    std::map<QString, bool> nothing = nothingButCopy;
    nothing["コピー"] = false;

    EXPECT_EQ(EditMenuShown(*main), nothing) << "nothing selected yet";
    DragAcross(*area, QPoint(4, 8), QPoint(200, 8));
    const QString selected = area->textCursor().selectedText();
    ASSERT_FALSE(selected.isEmpty());
    EXPECT_TRUE(area->toPlainText().contains(selected));
    EXPECT_EQ(EditMenuShown(*main), nothingButCopy);

    clipboard->setText("before");
    QTest::keyClick(area, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), selected);
    EXPECT_EQ(area->toPlainText(), Displayed(HelpPageText(1))) << "copying changes no text";

    // The selection belongs to the help window: with another window in front it is not offered.
    main->Show();
    EXPECT_EQ(EditMenuShown(*main), nothing);
    clipboard->setText("before");
    Press(*main, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), "before");

    // A click without a drag leaves nothing selected.
    help->Show();
    QTest::mouseClick(area->viewport(), Qt::LeftButton, {}, QPoint(30, 8));
    EXPECT_EQ(EditMenuShown(*main), nothing);
    QTest::keyClick(area, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), "before");
}
