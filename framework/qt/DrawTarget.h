#pragma once
// Where a Graphics draws: into a picture's pixels, or through a painter during a widget
// paint. The widget half makes one for each paint:
//     Graphics g(DrawTarget::OnPainter(painter, size()));

#include <QPainter>
#include <QSize>

#include <memory>

class PictureData;

struct DrawTarget {
    std::shared_ptr<PictureData> picture;
    QPainter* painter = nullptr;
    QSize size;

    static std::unique_ptr<DrawTarget> OnPicture(std::shared_ptr<PictureData> data)
    {
        auto target = std::make_unique<DrawTarget>();
        target->picture = std::move(data);
        return target;
    }
    // The painter must stay active while the Graphics is used.
    static std::unique_ptr<DrawTarget> OnPainter(QPainter& painter, QSize size)
    {
        auto target = std::make_unique<DrawTarget>();
        target->painter = &painter;
        target->size = size;
        return target;
    }
};
