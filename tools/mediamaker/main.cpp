// Makes the game's media: mediamaker <ResourcesDir> <contactSheet.png>
// Everything is drawn and synthesised here, the same on every run.

#include "tools/mediamaker/Art.h"
#include "tools/mediamaker/ContactSheet.h"
#include "tools/mediamaker/PictureSet.h"
#include "tools/mediamaker/SoundSet.h"
#include "tools/mediamaker/SoundSynth.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

namespace {

bool SaveAll(const QDir& folder, const std::vector<NamedImage>& images)
{
    for (const NamedImage& named : images) {
        if (!named.image.save(folder.filePath(named.file), "PNG")) {
            std::fprintf(stderr, "mediamaker: cannot write %s\n", qPrintable(named.file));
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: mediamaker <ResourcesDir> <contactSheet.png>\n");
        return 2;
    }
    if (!LoadFonts()) {
        std::fprintf(stderr, "mediamaker: the IPA P Gothic font is missing (fonts-ipafont-gothic)\n");
        return 1;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "mediamaker: cannot make %s\n", argv[1]);
        return 1;
    }

    const std::vector<NamedImage> pictures = GamePictures();
    const std::vector<NamedImage> cursors = GameCursors();
    if (!SaveAll(folder, pictures) || !SaveAll(folder, cursors)) {
        return 1;
    }
    for (const NamedSound& sound : GameSounds()) {
        if (!WriteWav(folder.filePath(QString::fromStdString(sound.file)).toStdString(), sound.samples)) {
            std::fprintf(stderr, "mediamaker: cannot write %s\n", sound.file.c_str());
            return 1;
        }
    }
    if (!ContactSheet(pictures, cursors).save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "mediamaker: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
