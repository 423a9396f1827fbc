#include "framework/qt/PictureBridge.h"

#include "framework/qt/PictureData.h"

#include <QPainter>

const QImage& PictureBridge::Image(const Picture& picture)
{
    return picture.itsData->Image();
}

const QImage& PictureBridge::DrawableImage(const Picture& picture)
{
    return picture.itsData->Drawable();
}

std::shared_ptr<Picture> PictureBridge::FromImage(const QImage& image)
{
    if (image.isNull()) {
        return nullptr;
    }
    QImage opaque = image;
    if (image.hasAlphaChannel()) {
        opaque = QImage(image.size(), QImage::Format_RGB32);
        opaque.fill(Qt::white);
        QPainter painter(&opaque);
        painter.drawImage(0, 0, image);
    }
    return std::shared_ptr<Picture>(new Picture(std::make_shared<PictureData>(opaque, 32)));
}

const std::shared_ptr<PictureData>& PictureBridge::Data(const Picture& picture)
{
    return picture.itsData;
}
