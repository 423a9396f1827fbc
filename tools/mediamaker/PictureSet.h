#pragma once
// The game's 22 pictures and 3 cursors, by file name.

#include <QImage>
#include <QString>

#include <vector>

struct NamedImage {
    QString file;
    QImage image;
};

std::vector<NamedImage> GamePictures();
std::vector<NamedImage> GameCursors();

// The picture of a set by file name (a null image when there is none).
QImage PictureNamed(const std::vector<NamedImage>& set, const QString& file);
