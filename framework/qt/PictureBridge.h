#pragma once
// For the widget half of the layer: the QImage behind a Picture, and Pictures from QImages.

#include "framework/Picture.h"

#include <QImage>

class PictureBridge {
public:
    // The picture's pixels (RGB32); mask and transparency not applied.
    static const QImage& Image(const Picture& picture);
    // The picture as it is drawn: mask and transparent white applied (cached, made once per
    // change). Draw it with QPainter::drawImage.
    static const QImage& DrawableImage(const Picture& picture);
    // A depth-32 picture of image; transparent parts of image are laid on white.
    // nullptr for a null image.
    static std::shared_ptr<Picture> FromImage(const QImage& image);

    static const std::shared_ptr<PictureData>& Data(const Picture& picture);
};
