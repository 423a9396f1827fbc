#include "AppTestSupport.h"

#include "app/AboutWindow.h"
#include "app/ResourceText.h"
#include "components/media/Pictures.h"
#include "components/targetsystemdisplay/TargetSystemDisplay.h"
#include "framework/Canvas.h"
#include "framework/Label.h"
#include "framework/qt/LayerAccess.h"

#include <QEnterEvent>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <tuple>

namespace {

class AboutWindowTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        RegisterApplication();
        itsMainWindow = OpenStandInMainWindow();
    }

    std::shared_ptr<Window> itsMainWindow;

    // Chooses the about item; `whileOpen` runs inside the modal window's loop and must close it.
    // True when the choice returned only after the window had closed.
    static bool ShowAbout(const std::function<void(AboutWindow&)>& whileOpen)
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            const auto about = GetImplicitWindow<AboutWindow>();
            ASSERT_NE(about, nullptr);
            EXPECT_EQ(WindowAt(0), about);
            ran = true;
            whileOpen(*about);
            if (GetImplicitWindow<AboutWindow>()) {
                ADD_FAILURE() << "still open";
                about->Close();
            }
        });
        const bool handled = TheAppl().AppleAbout_Action();
        EXPECT_TRUE(handled);
        return ran && !GetImplicitWindow<AboutWindow>();
    }
};

} // namespace

TEST_F(AboutWindowTest, ModalFixedWhiteWithNameVersionNoticeIconAndBadge)
{
    const bool closedBeforeReturn = ShowAbout([](AboutWindow& about) {
        EXPECT_EQ(about.Title(), "Kalmenoについて");
        EXPECT_EQ(about.Width(), 200);
        EXPECT_EQ(about.Height(), 80);
        QWidget* window = WidgetOf(about);
        EXPECT_EQ(window->windowModality(), Qt::ApplicationModal);
        const Qt::WindowFlags flags = window->windowFlags();
        EXPECT_FALSE(flags & Qt::WindowCloseButtonHint);
        EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
        EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
        EXPECT_EQ(ContentOf(about)->minimumSize(), ContentOf(about)->maximumSize());
        EXPECT_EQ(ContentOf(about)->grab().toImage().pixelColor(100, 48), QColor(Qt::white));

        EXPECT_EQ(about.AppName()->Text(), "Kalmeno 10.0.4");
        EXPECT_EQ(about.AppCopy()->Text(), AboutNoticeText());
        EXPECT_EQ(about.AppIcon()->Backdrop(), IconPict());
        ASSERT_NE(IconPict(), nullptr);
        EXPECT_EQ(ControlAccess::Widget(*about.AppIcon())->geometry(), QRect(16, 16, 32, 32));
        EXPECT_EQ(ControlAccess::Widget(*about.TheTargetSystemDisplay())->geometry(), QRect(180, 3, 16, 8));
        about.Close();
    });
    EXPECT_TRUE(closedBeforeReturn);
}

TEST_F(AboutWindowTest, TheIconTurnsIntoTheLogoUnderThePointerAndBack)
{
    ShowAbout([](AboutWindow& about) {
        QWidget* icon = ControlAccess::Widget(*about.AppIcon());
        for (int round = 0; round < 2; ++round) {
            QEnterEvent enter(QPointF(4, 4), QPointF(4, 4), icon->mapToGlobal(QPointF(4, 4)));
            QCoreApplication::sendEvent(icon, &enter);
            EXPECT_EQ(about.AppIcon()->Backdrop(), PomavellPict());
            QEvent leave(QEvent::Leave);
            QCoreApplication::sendEvent(icon, &leave);
            EXPECT_EQ(about.AppIcon()->Backdrop(), IconPict());
        }
        EXPECT_NE(PomavellPict(), IconPict());
        about.Close();
    });
}

TEST_F(AboutWindowTest, AnyKeyClosesIt)
{
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, QString> keys[] = {
        {Qt::Key_A, {}, "a"},     {Qt::Key_Space, {}, " "},
        {Qt::Key_Escape, {}, ""}, {Qt::Key_Left, {}, ""},
        {Qt::Key_Return, {}, ""}, {Qt::Key_F1, {}, ""},
        {Qt::Key_Insert, {}, ""}, {Qt::Key_A, Qt::ControlModifier, "\x01"}};
    for (const auto& [key, modifiers, text] : keys) {
        SCOPED_TRACE(key);
        EXPECT_TRUE(ShowAbout([key = key, modifiers = modifiers, text = text](AboutWindow& about) {
            Press(about, key, modifiers, text);
        }));
    }
}

TEST_F(AboutWindowTest, APressOnTheBackgroundClosesIt)
{
    EXPECT_TRUE(ShowAbout(
        [](AboutWindow& about) { QTest::mouseClick(ContentOf(about), Qt::LeftButton, {}, QPoint(100, 48)); }));
    const auto first = GetImplicitWindow<AboutWindow>();
    EXPECT_EQ(first, nullptr) << "the next choice builds a new window";
}
