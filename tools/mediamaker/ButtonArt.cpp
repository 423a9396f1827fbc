#include "tools/mediamaker/ButtonArt.h"

#include "tools/mediamaker/Art.h"
#include "tools/mediamaker/Palette.h"

#include <QLinearGradient>
#include <QPainterPath>

using namespace palette;

namespace {

enum class KeyState { Disabled, Normal, Pushed };

// Each key sits in a dark socket that the key's overlays cover completely.
QRectF socketRect(int key)
{
    return QRectF(1 + key * 30, 1, 28, 28);
}

void paintKey(QPainter& p, int key, KeyState state, const KeyStyle& style)
{
    const QRectF socket = socketRect(key);
    QLinearGradient hollow(socket.topLeft(), socket.bottomLeft());
    hollow.setColorAt(0, (Socket * 0.7).toColor());
    hollow.setColorAt(1, mix(Socket, KeyOff, 0.3).toColor());
    p.setPen(Qt::NoPen);
    p.setBrush(hollow);
    p.drawRoundedRect(socket, 7, 7);

    QRectF face(socket.left() + 2, socket.top() + 1.5, 24, 22);
    if (state == KeyState::Disabled) {
        face.translate(0, 2);
        p.setBrush(KeyOff.toColor());
        p.drawRoundedRect(face, 5, 5);
        style.glyph(p, face.center(), KeyOffGlyph.toColor());
        return;
    }
    Rgb top = KeyFaceTop, bottom = KeyFaceBottom;
    if (state == KeyState::Pushed) {
        face.translate(0, 2.5);
        top = KeyPushedTop;
        bottom = KeyPushedBottom;
    } else {
        p.setBrush(KeySide.toColor());
        p.drawRoundedRect(face.translated(0, 2.5), 5, 5);
    }
    QLinearGradient shade(face.topLeft(), face.bottomLeft());
    shade.setColorAt(0, top.toColor());
    shade.setColorAt(1, bottom.toColor());
    p.setBrush(shade);
    p.setPen(QPen((KeySide * 0.9).toColor(), 0.6));
    p.drawRoundedRect(face, 5, 5);
    style.glyph(p, face.center(), style.ink);
}

QImage keyLayer(int key, KeyState state, const KeyStyle& style)
{
    QImage layer = layerImage(GroupWidth, GroupHeight);
    QPainter p(&layer);
    smoothPainter(p);
    paintKey(p, key, state, style);
    return layer;
}

} // namespace

ButtonGroupArt buttonGroup(const QImage& back, QPoint offset, const KeyStyle keys[2])
{
    ButtonGroupArt art;
    art.base = back.copy(offset.x(), offset.y(), GroupWidth, GroupHeight);
    for (int key = 0; key < 2; ++key) {
        art.base = composite(art.base, keyLayer(key, KeyState::Disabled, keys[key]));
    }
    for (int key = 0; key < 2; ++key) {
        art.normal[key] = cutOut(art.base, keyLayer(key, KeyState::Normal, keys[key]));
        art.pushed[key] = cutOut(art.base, keyLayer(key, KeyState::Pushed, keys[key]));
    }
    return art;
}

QImage buttonMask(int key)
{
    QImage mask = opaqueImage(GroupWidth, GroupHeight);
    QPainter p(&mask);
    smoothPainter(p);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRoundedRect(socketRect(key), 7, 7);
    return mask;
}

GlyphPainter characterGlyph(const QString& character)
{
    return [character](QPainter& p, QPointF centre, const QColor& ink) {
        drawText(p, character, gothic(17), centre, ink, 0.7);
    };
}

GlyphPainter arrowGlyph(bool pointsLeft)
{
    return [pointsLeft](QPainter& p, QPointF centre, const QColor& ink) {
        const double s = pointsLeft ? -1 : 1;
        QPainterPath path;
        path.moveTo(centre + QPointF(-7 * s, 0));
        path.lineTo(centre + QPointF(7 * s, 0));
        path.moveTo(centre + QPointF(2 * s, -5));
        path.lineTo(centre + QPointF(7 * s, 0));
        path.lineTo(centre + QPointF(2 * s, 5));
        p.save();
        p.setPen(QPen(ink, 2.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        p.restore();
    };
}
