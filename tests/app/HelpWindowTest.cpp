#include "AppTestSupport.h"

#include "app/HelpWindow.h"
#include "app/Menu.h"
#include "app/ResourceText.h"
#include "framework/MenuBar.h"
#include "framework/TabPanel.h"
#include "framework/TextArea.h"

#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QWidget>

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

}  // namespace

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
