#include "AppTestSupport.h"

#include "app/Menu.h"
#include "components/applpreferences/ApplPreferences.h"
#include "components/media/Sounds.h"
#include "components/soundplayer/SoundPlayer.h"
#include "framework/MenuBar.h"
#include "framework/Sound.h"
#include "framework/TestSeams.h"

#include <QAction>

#include <filesystem>
#include <vector>

namespace {

struct Played {
    const Sound* sound;
    Int32 volume;
    bool operator==(const Played&) const = default;
};

class ApplTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        SetSoundPlayObserver([this](const Sound& s, Int32 volume) { played.push_back({&s, volume}); });
    }

    // One run of the program up to its event loop, with a stand-in for the main window.
    void StartRun()
    {
        Menu::Release();
        RegisterApplication();
        window = OpenStandInMainWindow();
        ProcessEvents();
        ASSERT_NE(App().ItsSoundPlayer, nullptr) << "Open has run";
    }

    // Quits through the quit item's shortcut.
    void QuitRun() const { Press(*window, Qt::Key_Q, Qt::ControlModifier); }

    // The indices of the checked volume items after an enabling pass; every other one must be
    // enabled and unchecked.
    std::vector<Int32> CheckedVolumeItems() const
    {
        ShowGameMenu(*window);
        std::vector<Int32> checked;
        for (Int32 i = 0; i <= 9; ++i) {
            const auto item = GameMenuSoundVol(i);
            EXPECT_EQ(VolumeAction(*window, i)->isChecked(), item->Checked());
            if (item->Checked()) {
                checked.push_back(i);
            } else {
                EXPECT_TRUE(item->Enabled()) << i;
            }
        }
        return checked;
    }

    std::vector<Played> played;
    std::shared_ptr<Window> window;
};

} // namespace

TEST_F(ApplTest, FirstRunStartsLoudestAndWritesTheDefault)
{
    RegisterApplication();
    EXPECT_EQ(App().ItsPrefs, nullptr);
    EXPECT_EQ(App().ItsSoundPlayer, nullptr);
    StartRun();
    EXPECT_EQ(App().ItsPrefs->GetData(), "1");
    EXPECT_EQ(App().ItsSoundPlayer->RefVolume(), 0);
    EXPECT_TRUE(App().AutoQuit);
    EXPECT_EQ(CheckedVolumeItems(), std::vector<Int32>{0});
    EXPECT_EQ(GameMenuSoundVol(0)->Text(), "■■■■■■■■■");
    EXPECT_TRUE(played.empty());

    QuitRun();
    EXPECT_EQ(PreferencesFileContents(), "001");
}

TEST_F(ApplTest, AVolumeChoicePlaysTheSampleAtOnceAndIsKeptForTheNextRun)
{
    StartRun();
    ShowGameMenu(*window);
    VolumeAction(*window, 3)->trigger();
    EXPECT_EQ(played, (std::vector<Played>{{SoundVolSnd().get(), 35}})) << "played at once, not queued";
    EXPECT_EQ(App().ItsSoundPlayer->RefVolume(), 3);
    EXPECT_EQ(App().ItsPrefs->GetData(), "D");
    EXPECT_EQ(CheckedVolumeItems(), std::vector<Int32>{3});
    EXPECT_EQ(PreferencesFileContents(), "") << "written only at quit";
    QuitRun();
    EXPECT_EQ(PreferencesFileContents(), "00D");

    StartRun();
    EXPECT_EQ(App().ItsSoundPlayer->RefVolume(), 3);
    EXPECT_EQ(CheckedVolumeItems(), std::vector<Int32>{3});
}

TEST_F(ApplTest, MuteIsSilentAndTheCurrentStepChosenAgainPlaysAgain)
{
    StartRun();
    TheAppl().GameMenuSoundVol_Action(5);
    TheAppl().GameMenuSoundVol_Action(5);
    EXPECT_EQ(played, (std::vector<Played>{{SoundVolSnd().get(), 17}, {SoundVolSnd().get(), 17}}));
    EXPECT_EQ(App().ItsPrefs->GetData(), "F");

    played.clear();
    ShowGameMenu(*window);
    VolumeAction(*window, 9)->trigger();
    TheAppl().GameMenuSoundVol_Action(9);
    EXPECT_TRUE(played.empty());
    EXPECT_EQ(App().ItsPrefs->GetData(), "0");
    EXPECT_EQ(CheckedVolumeItems(), std::vector<Int32>{9});
    QuitRun();
    EXPECT_EQ(PreferencesFileContents(), "000");

    StartRun();
    EXPECT_EQ(App().ItsSoundPlayer->RefVolume(), 9);
}

TEST_F(ApplTest, ARunWithoutAChangeLeavesTheFileAlone)
{
    StartRun();
    TheAppl().GameMenuSoundVol_Action(1);
    QuitRun();
    ASSERT_EQ(PreferencesFileContents(), "00B");
    const std::string path = PreferencesPath();
    const auto longAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
    std::filesystem::last_write_time(path, longAgo);

    StartRun();
    EXPECT_EQ(App().ItsSoundPlayer->RefVolume(), 1);
    EXPECT_EQ(CheckedVolumeItems(), std::vector<Int32>{1});
    QuitRun();
    EXPECT_EQ(PreferencesFileContents(), "00B");
    EXPECT_EQ(std::filesystem::last_write_time(path), longAgo);
}

TEST_F(ApplTest, AForeignFileUnderTheNameGivesTheDefaultsAndIsKept)
{
    WritePreferencesFile("00D, but not ours");
    StartRun();
    EXPECT_EQ(App().ItsPrefs->GetData(), "1");
    EXPECT_EQ(App().ItsSoundPlayer->RefVolume(), 0);
    QuitRun();
    EXPECT_EQ(PreferencesFileContents(), "00D, but not ours");
}
