// Sounds still being decoded when the program ends: the layer waits for their loads, released
// sounds included, so that the toolkit's sample cache cannot deadlock at exit.
#include "framework/Sound.h"
#include "framework/qt/LayerAccess.h"
#include "tests/framework/MediaFiles.h"
#include "tests/support/ScratchFolder.h"

#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

#include <vector>

namespace {

// Sound files of their own, so that no load is served from the cache.
QStringList WriteSounds(const ScratchFolder& folder, int count)
{
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        const std::string path = folder.Write("sound" + std::to_string(i) + ".wav", MediaFiles::Wav(4410 + i));
        paths << QString::fromStdString(path);
    }
    return paths;
}

} // namespace

TEST(SoundLoads, HeldAndReleasedSoundsAreWaitedForUntilDecoded)
{
    const ScratchFolder folder;
    const Int32 before = SoundAccess::LoadsInFlight();
    std::vector<std::shared_ptr<Sound>> sounds;
    for (const QString& path : WriteSounds(folder, 4)) {
        sounds.push_back(Sound::Open(path.toStdString()));
        ASSERT_NE(sounds.back(), nullptr);
    }
    EXPECT_EQ(SoundAccess::LoadsInFlight(), before + 4) << "no event has been delivered yet";
    sounds.resize(2);
    EXPECT_EQ(SoundAccess::LoadsInFlight(), before + 4) << "a released sound is kept while it loads";

    SoundAccess::FinishLoads();
    EXPECT_EQ(SoundAccess::LoadsInFlight(), 0);
    sounds.front()->Play();
}

TEST(SoundLoads, AProgramThatEndsWhileSoundsLoadLeavesNoneLoading)
{
    const ScratchFolder folder;
    QProcess probe;
    probe.start(KALMENO_SOUND_LOADS_PROBE, WriteSounds(folder, 6));
    ASSERT_TRUE(probe.waitForStarted());
    const bool ended = probe.waitForFinished(120 * 1000);
    if (!ended) {
        probe.kill();
        probe.waitForFinished();
    }
    ASSERT_TRUE(ended) << "the program hung at its end";
    EXPECT_EQ(probe.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(probe.exitCode(), 0);
    const QString out = QString::fromLocal8Bit(probe.readAllStandardOutput());
    EXPECT_TRUE(out.contains("opened 6, loading 6")) << out.toStdString();
    EXPECT_TRUE(out.contains("after shutdown 0")) << out.toStdString();
}
