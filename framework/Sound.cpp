#include "framework/Sound.h"

#include "framework/MediaFile.h"
#include "framework/TestSeams.h"
#include "framework/qt/LayerAccess.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSoundEffect>
#include <QThread>
#include <QUrl>

#include <algorithm>
#include <functional>
#include <set>
#include <vector>

class SoundEffect {
public:
    QSoundEffect effect;

    // The file the sound was read from.
    String path;

    bool Loading() const { return effect.status() == QSoundEffect::Loading; }
};

namespace {

// Qt decodes sounds on a thread of its sample cache, and that cache deadlocks when the process
// exits while a decode is still under way. So an effect lives until its load is over, even
// when its sound is released sooner, and the layer's shutdown waits for the loads.
std::set<const SoundEffect*>& LiveEffects()
{
    static auto* const effects = new std::set<const SoundEffect*>;
    return *effects;
}

std::vector<std::unique_ptr<SoundEffect>>& ReleasedWhileLoading()
{
    static auto* const effects = new std::vector<std::unique_ptr<SoundEffect>>;
    return *effects;
}

// Long enough for any sound the layer takes; a load that takes longer is not waited for.
constexpr int LoadWaitMs = 5000;

std::function<void(const Sound&, Int32)> playObserver;

std::uint32_t Little32(const char* p)
{
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return b[0] | (b[1] << 8) | (b[2] << 16) | (std::uint32_t(b[3]) << 24);
}

std::uint16_t Little16(const char* p)
{
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

bool IsPlayableFormat(const char* fmt)
{
    const std::uint16_t tag = Little16(fmt);
    const std::uint16_t channels = Little16(fmt + 2);
    const std::uint32_t rate = Little32(fmt + 4);
    const std::uint16_t blockAlign = Little16(fmt + 12);
    const std::uint16_t bits = Little16(fmt + 14);
    const bool knownTag = tag == 1 || tag == 3 || tag == 0xFFFE;
    const bool knownBits = bits == 8 || bits == 16 || bits == 24 || bits == 32;
    return knownTag && knownBits && channels >= 1 && channels <= 8 && rate >= 1000 && rate <= 384000 &&
           blockAlign == channels * bits / 8;
}

// A RIFF WAVE file with a PCM or float format chunk and a data chunk that is all there.
bool IsPlayableWav(const String& bytes)
{
    if (bytes.size() < 44 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) {
        return false;
    }
    bool haveFormat = false;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::uint32_t length = Little32(bytes.data() + at + 4);
        const std::size_t body = at + 8;
        if (length > bytes.size() - body) {
            return false;
        }
        if (bytes.compare(at, 4, "fmt ") == 0) {
            haveFormat = length >= 16 && IsPlayableFormat(bytes.data() + body);
            if (!haveFormat) {
                return false;
            }
        } else if (bytes.compare(at, 4, "data") == 0) {
            return haveFormat && length > 0;
        }
        at = body + length + (length & 1);
    }
    return false;
}

} // namespace

void SetSoundPlayObserver(std::function<void(const Sound&, Int32 volume)> observer)
{
    playObserver = std::move(observer);
}

String SoundSourceFile(const Sound& sound)
{
    return sound.itsEffect->path;
}

std::shared_ptr<Sound> Sound::Open(const String& path)
{
    const auto bytes = MediaFile::Read(path);
    if (!bytes || !IsPlayableWav(*bytes)) {
        return nullptr;
    }
    // The sound is handed over as the bytes just checked, so the file is not opened again.
    auto effect = std::make_unique<SoundEffect>();
    effect->path = path;
    const QByteArray data = QByteArray::fromRawData(bytes->data(), qsizetype(bytes->size())).toBase64();
    effect->effect.setSource(QUrl(QStringLiteral("data:audio/wav;base64,") + QString::fromLatin1(data)));
    return std::shared_ptr<Sound>(new Sound(std::move(effect)));
}

Sound::Sound(std::unique_ptr<SoundEffect> effect) : itsEffect(std::move(effect))
{
    LiveEffects().insert(itsEffect.get());
}

Sound::~Sound()
{
    LiveEffects().erase(itsEffect.get());
    auto& kept = ReleasedWhileLoading();
    std::erase_if(kept, [](const auto& effect) { return !effect->Loading(); });
    if (itsEffect->Loading()) {
        kept.push_back(std::move(itsEffect));
    }
}

Int32 SoundAccess::LoadsInFlight()
{
    const auto& live = LiveEffects();
    const auto& kept = ReleasedWhileLoading();
    return static_cast<Int32>(std::count_if(live.begin(), live.end(), [](auto* e) { return e->Loading(); }) +
                              std::count_if(kept.begin(), kept.end(), [](auto& e) { return e->Loading(); }));
}

void SoundAccess::FinishLoads()
{
    // A finished load reaches its effect as a queued call from the cache's thread.
    const QDeadlineTimer deadline(LoadWaitMs);
    while (LoadsInFlight() > 0 && !deadline.hasExpired()) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        QThread::msleep(1);
    }
    ReleasedWhileLoading().clear();
}

void Sound::Play()
{
    if (playObserver) {
        playObserver(*this, Volume);
    }
    itsEffect->effect.setVolume(std::clamp(Volume, 0, 100) / 100.0f);
    itsEffect->effect.play();
}
