// Sounds still being decoded when the program ends: the layer waits for their loads, released
// sounds included, so that the toolkit's sample cache cannot deadlock at exit.
#include "framework/Sound.h"
#include "framework/qt/LayerAccess.h"
#include "tests/framework/MediaFiles.h"
#include "tests/support/ScratchFolder.h"

#include <QProcess>
#include <QRegularExpression>
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
    // The cache's thread may finish a load before Open returns; every other load stays in flight
    // until its event is delivered, and none is delivered here before FinishLoads.
    std::vector<std::shared_ptr<Sound>> loading;
    std::vector<std::shared_ptr<Sound>> loaded;
    for (const QString& path : WriteSounds(folder, 8)) {
        const Int32 before = SoundAccess::LoadsInFlight();
        auto sound = Sound::Open(path.toStdString());
        ASSERT_NE(sound, nullptr);
        (SoundAccess::LoadsInFlight() > before ? loading : loaded).push_back(std::move(sound));
    }
    ASSERT_GE(loading.size(), 2U) << "nearly every load is still under way when Open returns";
    const Int32 inFlight = SoundAccess::LoadsInFlight();
    loading.resize(1);
    EXPECT_EQ(SoundAccess::LoadsInFlight(), inFlight) << "a released sound is kept while it loads";

    SoundAccess::FinishLoads();
    EXPECT_EQ(SoundAccess::LoadsInFlight(), 0);
    loading.front()->Play();
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
    // A load may end before Open returns; the program must still end while others are under way.
    const QRegularExpressionMatch opened = QRegularExpression("opened 6, loading (\\d+)").match(out);
    ASSERT_TRUE(opened.hasMatch()) << out.toStdString();
    EXPECT_GT(opened.captured(1).toInt(), 0) << out.toStdString();
    EXPECT_TRUE(out.contains("after shutdown 0")) << out.toStdString();
}
