#include "tools/mediamaker/EmblemArt.h"

#include "tools/mediamaker/Art.h"
#include "tools/mediamaker/Palette.h"

#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <map>

using namespace palette;

namespace {

constexpr int EmblemSize = 32;

QPointF Polar(QPointF centre, double radius, double degrees)
{
    const double a = degrees * M_PI / 180;
    return centre + QPointF(radius * std::cos(a), radius * std::sin(a));
}

// A triangle pulled towards its centroid by `inset` pixels (of its inscribed circle).
QPolygonF InsetTriangle(QPointF a, QPointF b, QPointF c, double inset)
{
    const QPointF centroid = (a + b + c) / 3;
    const double inradius = std::hypot(b.x() - a.x(), b.y() - a.y()) / (2 * std::sqrt(3.0));
    const double k = (inradius - inset) / inradius;
    QPolygonF t;
    for (QPointF v : {a, b, c}) {
        t << centroid + (v - centroid) * k;
    }
    return t;
}

// The badges' letters, 3 by 5 pixels.
const std::map<QChar, const char*> PixelFont = {
    {'P', "XX.X.XXX.X..X.."}, {'C', ".XXX..X..X...XX"}, {'x', "......X.X.X.X.X"},
    {'8', "XXXX.XXXXX.XXXX"}, {'6', "XXXX..XXXX.XXXX"}, {'4', "X.XX.XXXX..X..X"},
    {'U', "X.XX.XX.XX.XXXX"}, {'B', "XX.X.XXX.X.XXX."}, {'K', "X.XX.XXX.X.XX.X"},
};

void DrawBadge(QPainter& p, int top, const QString& text, Rgb fill)
{
    p.save();
    SmoothPainter(p);
    p.setPen(QPen((fill * 0.7).ToColor(), 1));
    p.setBrush(fill.ToColor());
    p.drawRoundedRect(QRectF(0.5, top + 0.5, 15, 7), 3, 3);
    p.restore();
    const int left = (16 - (4 * int(text.size()) - 1)) / 2;
    for (int i = 0; i < text.size(); ++i) {
        const char* bits = PixelFont.at(text[i]);
        for (int k = 0; k < 15; ++k) {
            if (bits[k] == 'X') {
                p.fillRect(left + 4 * i + k % 3, top + 2 + k / 3, 1, 1, OpaqueWhite);
            }
        }
    }
}

} // namespace

QImage IconPicture()
{
    QImage icon = OpaqueImage(EmblemSize, EmblemSize);
    QPainter p(&icon);
    SmoothPainter(p);
    QRadialGradient dusk(QPointF(16, 13), 22);
    dusk.setColorAt(0, Mix(FieldMiddle, TrayLight, 0.2).ToColor());
    dusk.setColorAt(1, FieldEdge.ToColor());
    p.setPen(QPen((FieldEdge * 0.8).ToColor(), 1));
    p.setBrush(dusk);
    p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 7, 7);

    const QPointF centre(16, 16);
    p.setPen(Qt::NoPen);
    for (int k = 0; k < 6; ++k) {
        const QPolygonF tile = InsetTriangle(centre, Polar(centre, 12.5, 60.0 * k),
                                             Polar(centre, 12.5, 60.0 * (k + 1)), 0.6);
        p.setBrush((k == 4 ? Amber : k % 2 == 0 ? TileFace : Mix(TileFace, TileShade, 0.35)).ToColor());
        p.drawPolygon(tile);
    }
    return icon;
}

QImage MakerLogoPicture()
{
    QImage logo = OpaqueImage(EmblemSize, EmblemSize);
    QPainter p(&logo);
    SmoothPainter(p);
    QRadialGradient glow(QPointF(12, 11), 22);
    glow.setColorAt(0, QColor(246, 132, 96));
    glow.setColorAt(1, QColor(188, 64, 60));
    p.setPen(QPen(QColor(160, 52, 50), 1));
    p.setBrush(glow);
    p.drawEllipse(QRectF(1.5, 2.5, 28, 28));

    QPainterPath leaf;
    leaf.moveTo(17, 4);
    leaf.cubicTo(19, -1, 27, -1, 29, 2);
    leaf.cubicTo(26, 6, 20, 7, 17, 4);
    p.setPen(QPen(QColor(40, 104, 52), 0.8));
    p.setBrush(QColor(84, 160, 84));
    p.drawPath(leaf);

    DrawText(p, "P", Gothic(20), QPointF(16, 17.5), Ivory.ToColor(), 1.0);
    return logo;
}

QImage TargetSystemPicture()
{
    QImage strip = OpaqueImage(16, 40);
    QPainter p(&strip);
    const struct {
        QString text;
        Rgb fill;
    } badges[] = {{"68K", {120, 120, 128}},
                  {"PPC", {150, 96, 60}},
                  {"UB", {100, 110, 150}},
                  {"x86", {70, 120, 100}},
                  {"x64", {40, 82, 150}}};
    for (int i = 0; i < 5; ++i) {
        DrawBadge(p, 8 * i, badges[i].text, badges[i].fill);
    }
    return strip;
}
