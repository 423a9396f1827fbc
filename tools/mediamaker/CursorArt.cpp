#include "tools/mediamaker/CursorArt.h"

#include "tools/mediamaker/Art.h"
#include "tools/mediamaker/Palette.h"

#include <QPainterPath>

using namespace palette;

namespace {

constexpr int CursorSize = 32;

QImage CursorImage(QPoint hotspot)
{
    QImage image(CursorSize, CursorSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    image.setText("HotspotX", QString::number(hotspot.x()));
    image.setText("HotspotY", QString::number(hotspot.y()));
    return image;
}

// Black shape with a white outline, as system cursors are drawn.
void DrawOutlined(QPainter& p, const QPainterPath& shape, const QColor& fill = Qt::black,
                  const QColor& outline = Qt::white)
{
    p.setPen(QPen(outline, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(outline);
    p.drawPath(shape);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(shape);
}

QPainterPath Arrow()
{
    QPainterPath path;
    path.moveTo(2, 2);
    path.lineTo(2, 19);
    path.lineTo(6, 15);
    path.lineTo(9, 22);
    path.lineTo(11.5, 21);
    path.lineTo(8.5, 14);
    path.lineTo(14, 14);
    path.closeSubpath();
    return path;
}

QPainterPath Tile()
{
    QPainterPath path;
    path.moveTo(21.5, 15);
    path.lineTo(28.5, 27);
    path.lineTo(14.5, 27);
    path.closeSubpath();
    return path;
}

QImage ArrowWithTile(bool carrying)
{
    QImage image = CursorImage({2, 2});
    QPainter p(&image);
    SmoothPainter(p);
    DrawOutlined(p, Arrow());
    if (carrying) {
        DrawOutlined(p, Tile(), Amber.ToColor(), (AmberDeep * 0.6).ToColor());
    } else {
        p.setPen(QPen(Qt::white, 3.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(Tile());
        p.setPen(QPen(Qt::black, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(Tile());
    }
    return image;
}

} // namespace

QImage ButtonCursor()
{
    QImage image = CursorImage({12, 2});
    QPainter p(&image);
    SmoothPainter(p);
    // Index finger up, three fingers folded beside it, the thumb at the left, the palm below.
    QPainterPath hand;
    hand.setFillRule(Qt::WindingFill);
    hand.addRoundedRect(QRectF(10, 1.5, 4.6, 15), 2.3, 2.3);
    hand.addRoundedRect(QRectF(14.2, 8, 4.2, 9), 2.1, 2.1);
    hand.addRoundedRect(QRectF(18, 9, 4.2, 9), 2.1, 2.1);
    hand.addRoundedRect(QRectF(21.8, 10.5, 3.8, 8), 1.9, 1.9);
    hand.addRoundedRect(QRectF(10, 13, 15.6, 14), 4, 4);
    QPainterPath thumb;
    thumb.moveTo(10.5, 16);
    thumb.lineTo(6.5, 12.8);
    thumb.cubicTo(4.6, 11.4, 2.6, 13.4, 4, 15.2);
    thumb.lineTo(10.2, 23.5);
    thumb.closeSubpath();
    hand = hand.united(thumb).simplified();

    p.setPen(QPen(Qt::black, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(hand);
    p.setPen(QPen(QColor(80, 80, 80), 0.9, Qt::SolidLine, Qt::RoundCap));
    const QLineF folds[] = {{14.3, 10, 14.3, 12.2}, {18.1, 11, 18.1, 13.2}, {21.9, 12.4, 21.9, 14.4}};
    for (const QLineF& fold : folds) {
        p.drawLine(fold);
    }
    return image;
}

QImage FieldCursor()
{
    return ArrowWithTile(false);
}

QImage SelectCursor()
{
    return ArrowWithTile(true);
}
