#include "components/soundplayer/SoundPlayer.h"

#include "framework/Sound.h"
#include "framework/TestSeams.h"
#include "tests/components/FakeClock.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <map>
#include <vector>

namespace {

// A short 16-bit mono PCM tone.
void WriteWav(const std::string& path)
{
    constexpr std::uint32_t rate = 22050;
    constexpr std::uint32_t samples = 441;
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + samples * 2);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    out.write("data", 4);
    u32(samples * 2);
    for (std::uint32_t i = 0; i < samples; ++i) {
        u16(static_cast<std::uint16_t>(static_cast<std::int16_t>(8000 * std::sin(i * 0.2))));
    }
}

struct Played {
    const Sound* sound;
    Int32 volume;
    bool operator==(const Played&) const = default;
};

class SoundPlayerTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        wavPath = folder.filePath("tone.wav").toStdString();
        WriteWav(wavPath);
        SetSoundPlayObserver([this](const Sound& sound, Int32 volume) { played.push_back({&sound, volume}); });
    }
    void TearDown() override { SetSoundPlayObserver(nullptr); }

    // A distinct Sound object each call, named for the failure messages.
    std::shared_ptr<Sound> NewSound(const std::string& name)
    {
        std::shared_ptr<Sound> sound = Sound::Open(wavPath);
        EXPECT_NE(sound, nullptr);
        names[sound.get()] = name;
        return sound;
    }

    // The names of the sounds played since the last call.
    std::vector<std::string> TakePlayed()
    {
        std::vector<std::string> result;
        for (const Played& p : played) {
            result.push_back(names.count(p.sound) ? names[p.sound] : "?");
        }
        played.clear();
        return result;
    }

    using Names = std::vector<std::string>;

    QTemporaryDir folder;
    std::string wavPath;
    std::vector<Played> played;
    std::map<const Sound*, std::string> names;
    SoundPlayer player;
};

TEST_F(SoundPlayerTest, PlaysTheQueueByPriorityThenArrival)
{
    const auto s1 = NewSound("s1");
    const auto s2 = NewSound("s2");
    const auto s3 = NewSound("s3");
    const auto s4 = NewSound("s4");
    player.PushQueue(s1, 5);
    player.PushQueue(s2, 4);
    player.PushQueue(s3, 6);
    player.PushQueue(s4, 5);
    player.PlayQueue();
    EXPECT_EQ(TakePlayed(), (Names{"s3", "s1", "s4", "s2"}));

    // Emptied: nothing left to play, and no idle sound is set.
    player.PlayQueue();
    EXPECT_EQ(TakePlayed(), Names{});

    // The same sound may be queued more than once.
    player.PushQueue(s1, 1);
    player.PushQueue(s1, 1);
    player.PushQueue(s2, 2);
    player.PlayQueue();
    EXPECT_EQ(TakePlayed(), (Names{"s2", "s1", "s1"}));
}

TEST_F(SoundPlayerTest, IgnoresNilSoundsLowPrioritiesAndASeventeenthSound)
{
    const auto lone = NewSound("lone");
    player.PushQueue(nullptr, 5);
    player.PushQueue(lone, 0);
    player.PushQueue(lone, -1);
    player.PlayQueue();
    EXPECT_EQ(TakePlayed(), Names{});

    Names expected;
    std::vector<std::shared_ptr<Sound>> sounds;
    for (int i = 0; i < 16; ++i) {
        sounds.push_back(NewSound("q" + std::to_string(i)));
        // Rising priorities: every push moves all earlier entries down.
        player.PushQueue(sounds.back(), i + 1);
        expected.insert(expected.begin(), "q" + std::to_string(i));
    }
    player.PushQueue(NewSound("late"), 1000);
    player.PlayQueue();
    EXPECT_EQ(TakePlayed(), expected);

    // After the queue has played there is room again.
    player.PushQueue(NewSound("again"), 1);
    player.PlayQueue();
    EXPECT_EQ(TakePlayed(), Names{"again"});
}

TEST_F(SoundPlayerTest, PriorityModePlaysTheHeadAndAboveSixHoldsFourToSixDropsTheRest)
{
    player.SetPriorityMode(true);
    const std::vector<std::pair<std::string, Int32>> queue = {{"s1", 7}, {"s2", 6}, {"s3", 5},
                                                              {"s4", 5}, {"s5", 4}, {"s6", 3}};
    for (const auto& [name, priority] : queue) {
        player.PushQueue(NewSound(name), priority);
    }
    const std::vector<Names> perCall = {{"s1"}, {"s2"}, {"s3"}, {"s4"}, {"s5"}, {}};
    for (const Names& expected : perCall) {
        player.PlayQueue();
        EXPECT_EQ(TakePlayed(), expected);
    }

    // Everything above 6 plays at once; below 4 behind the head drops, at the head it plays.
    player.PushQueue(NewSound("a"), 9);
    player.PushQueue(NewSound("b"), 8);
    player.PushQueue(NewSound("c"), 6);
    player.PushQueue(NewSound("d"), 7);
    player.PlayQueue();
    EXPECT_EQ(TakePlayed(), (Names{"a", "b", "d"}));
    player.PushQueue(NewSound("e"), 2);
    player.PlayQueue();
    EXPECT_EQ(TakePlayed(), Names{"c"});
    player.PlayQueue();
    EXPECT_EQ(TakePlayed(), Names{});
    player.PushQueue(NewSound("f"), 1);
    player.PlayQueue();
    EXPECT_EQ(TakePlayed(), Names{"f"});
}

TEST_F(SoundPlayerTest, VolumeStepsGiveTheirVolumeAndLetter)
{
    struct Step {
        Int32 step;
        Int32 volume;
        String letter;
    };
    const std::vector<Step> steps = {{0, 100, "A"}, {1, 70, "B"}, {2, 50, "C"}, {3, 35, "D"}, {4, 25, "E"},
                                     {5, 17, "F"},  {6, 12, "G"}, {7, 8, "H"},  {8, 6, "I"}};
    const auto sample = NewSound("sample");
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << "step " << s.step);
        player.SetVolume(s.step);
        EXPECT_TRUE(player.RefEnable());
        EXPECT_EQ(player.RefVolume(), s.step);
        EXPECT_EQ(player.SaveData(), s.letter);
        player.Play(sample);
        ASSERT_EQ(played.size(), 1u);
        EXPECT_EQ(played[0], (Played{sample.get(), s.volume}));
        EXPECT_EQ(sample->Volume, s.volume);
        played.clear();

        player.SetVolume(4);
        player.RestoreData(s.letter);
        EXPECT_EQ(player.RefVolume(), s.step);
        EXPECT_EQ(player.SaveData(), s.letter);
    }

    for (Int32 mute : {9, -1, 12}) {
        SCOPED_TRACE(testing::Message() << "step " << mute);
        player.SetVolume(3);
        player.SetVolume(mute);
        EXPECT_FALSE(player.RefEnable());
        EXPECT_EQ(player.RefVolume(), 9);
        EXPECT_EQ(player.SaveData(), "0");
        player.Play(sample);
        EXPECT_TRUE(played.empty());
    }
}

TEST_F(SoundPlayerTest, EnableSwitchesBetweenFullVolumeAndStep99)
{
    const auto sample = NewSound("sample");
    player.SetVolume(6);
    player.SetEnable(false);
    EXPECT_FALSE(player.RefEnable());
    EXPECT_EQ(player.RefVolume(), 99);
    EXPECT_EQ(player.SaveData(), "0");
    player.Play(sample);
    EXPECT_TRUE(played.empty());

    player.SetEnable(true);
    EXPECT_TRUE(player.RefEnable());
    EXPECT_EQ(player.RefVolume(), 0);
    EXPECT_EQ(player.SaveData(), "A");
    player.Play(sample);
    EXPECT_EQ(played, (std::vector<Played>{{sample.get(), 100}}));
}

TEST_F(SoundPlayerTest, RestoresMuteAndFallsBackToStepZero)
{
    player.RestoreData("0");
    EXPECT_EQ(player.RefVolume(), 9);
    EXPECT_FALSE(player.RefEnable());
    EXPECT_EQ(player.SaveData(), "0");

    for (const char* odd : {"1", "", "AB", "A ", "a", "Z", "9", "00"}) {
        SCOPED_TRACE(testing::Message() << "\"" << odd << "\"");
        player.SetVolume(7);
        player.RestoreData(odd);
        EXPECT_EQ(player.RefVolume(), 0);
        EXPECT_TRUE(player.RefEnable());
        EXPECT_EQ(player.SaveData(), "A");
    }
}

TEST_F(SoundPlayerTest, IdleSoundPlaysOnlyAfterMoreThanTheIntervalOfQuiet)
{
    FakeClock clock;
    const auto idle = NewSound("idle");
    const auto tick = NewSound("tick");
    player.PlayQueue();
    EXPECT_EQ(TakePlayed(), Names{});

    player.SetSacrifice(idle, 5);
    EXPECT_EQ(player.SacrificeInterval, 5);
    clock.Set(500000.0);
    player.PlayQueue();
    EXPECT_EQ(TakePlayed(), Names{});
    clock.Set(500001.0);
    player.PlayQueue();
    EXPECT_EQ(TakePlayed(), Names{"idle"});

    // The idle sound renews the interval itself.
    clock.Set(1000001.0);
    player.PlayQueue();
    EXPECT_EQ(TakePlayed(), Names{});
    clock.Set(1000002.0);
    player.PlayQueue();
    EXPECT_EQ(TakePlayed(), Names{"idle"});

    // So do a queued sound and a sound played directly.
    clock.Set(1200000.0);
    player.PushQueue(tick, 5);
    player.PlayQueue();
    EXPECT_EQ(TakePlayed(), Names{"tick"});
    clock.Set(1500000.0);
    player.Play(tick);
    EXPECT_EQ(TakePlayed(), Names{"tick"});
    clock.Set(2000000.0);
    player.PlayQueue();
    EXPECT_EQ(TakePlayed(), Names{});
    clock.Set(2000001.0);
    player.PlayQueue();
    EXPECT_EQ(TakePlayed(), Names{"idle"});

    // Muted, the queue empties unheard and the quiet time keeps counting from the last sound.
    player.SetVolume(9);
    clock.Set(2400000.0);
    player.PushQueue(tick, 5);
    player.PlayQueue();
    clock.Set(2500002.0);
    player.PlayQueue();
    EXPECT_EQ(TakePlayed(), Names{});
    player.SetVolume(2);
    player.PlayQueue();
    EXPECT_EQ(played, (std::vector<Played>{{idle.get(), 50}}));
    played.clear();

    player.SetSacrifice(nullptr, 5);
    clock.Set(9000000.0);
    player.PlayQueue();
    EXPECT_EQ(TakePlayed(), Names{});
}

TEST_F(SoundPlayerTest, BeepsOnlyWhileEnabled)
{
    const Int32 before = BeepCount();
    player.SetVolume(9);
    player.Beep();
    EXPECT_EQ(BeepCount(), before);
    player.SetVolume(8);
    player.Beep();
    EXPECT_EQ(BeepCount(), before + 1);
}

} // namespace
