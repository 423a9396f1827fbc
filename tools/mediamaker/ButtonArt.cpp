#include "tools/mediamaker/ButtonArt.h"

#include "tools/mediamaker/Art.h"
#include "tools/mediamaker/Palette.h"

#include <QLinearGradient>
#include <QPainterPath>

using namespace palette;

namespace {

enum class KeyState { Disabled, Normal, Pushed };

// Each key sits in a dark socket that the key's overlays cover completely.
QRectF SocketRect(int key)
{
    return QRectF(1 + key * 30, 1, 28, 28);
}

void PaintKey(QPainter& p, int key, KeyState state, const KeyStyle& style)
{
    const QRectF socket = SocketRect(key);
    QLinearGradient hollow(socket.topLeft(), socket.bottomLeft());
    hollow.setColorAt(0, (Socket * 0.7).ToColor());
    hollow.setColorAt(1, Mix(Socket, KeyOff, 0.3).ToColor());
    p.setPen(Qt::NoPen);
    p.setBrush(hollow);
    p.drawRoundedRect(socket, 7, 7);

    QRectF face(socket.left() + 2, socket.top() + 1.5, 24, 22);
    if (state == KeyState::Disabled) {
        face.translate(0, 2);
        p.setBrush(KeyOff.ToColor());
        p.drawRoundedRect(face, 5, 5);
        style.glyph(p, face.center(), KeyOffGlyph.ToColor());
        return;
    }
    Rgb top = KeyFaceTop, bottom = KeyFaceBottom;
    if (state == KeyState::Pushed) {
        face.translate(0, 2.5);
        top = KeyPushedTop;
        bottom = KeyPushedBottom;
    } else {
        p.setBrush(KeySide.ToColor());
        p.drawRoundedRect(face.translated(0, 2.5), 5, 5);
    }
    QLinearGradient shade(face.topLeft(), face.bottomLeft());
    shade.setColorAt(0, top.ToColor());
    shade.setColorAt(1, bottom.ToColor());
    p.setBrush(shade);
    p.setPen(QPen((KeySide * 0.9).ToColor(), 0.6));
    p.drawRoundedRect(face, 5, 5);
    style.glyph(p, face.center(), style.ink);
}

QImage KeyLayer(int key, KeyState state, const KeyStyle& style)
{
    QImage layer = LayerImage(ButtonGroupWidth, ButtonGroupHeight);
    QPainter p(&layer);
    SmoothPainter(p);
    PaintKey(p, key, state, style);
    return layer;
}

} // namespace

ButtonGroupArt ButtonGroup(const QImage& back, QPoint offset, const KeyStyle keys[2])
{
    ButtonGroupArt art;
    art.base = back.copy(offset.x(), offset.y(), ButtonGroupWidth, ButtonGroupHeight);
    for (int key = 0; key < 2; ++key) {
        art.base = Composite(art.base, KeyLayer(key, KeyState::Disabled, keys[key]));
    }
    for (int key = 0; key < 2; ++key) {
        art.normal[key] = CutOut(art.base, KeyLayer(key, KeyState::Normal, keys[key]));
        art.pushed[key] = CutOut(art.base, KeyLayer(key, KeyState::Pushed, keys[key]));
    }
    return art;
}

QImage ButtonMask(int key)
{
    QImage mask = OpaqueImage(ButtonGroupWidth, ButtonGroupHeight);
    QPainter p(&mask);
    SmoothPainter(p);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRoundedRect(SocketRect(key), 7, 7);
    return mask;
}

GlyphPainter CharacterGlyph(const QString& character)
{
    return [character](QPainter& p, QPointF centre, const QColor& ink) {
        DrawText(p, character, Gothic(17), centre, ink, 0.7);
    };
}

GlyphPainter ArrowGlyph(bool pointsLeft)
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
