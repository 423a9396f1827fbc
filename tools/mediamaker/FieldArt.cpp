#include "tools/mediamaker/FieldArt.h"

#include "tools/mediamaker/Art.h"
#include "tools/mediamaker/BoardGeometry.h"
#include "tools/mediamaker/Palette.h"

#include <QLinearGradient>
#include <QPainterPath>

#include <cmath>
#include <cstdint>

using namespace palette;

namespace {

// Light falls from the top left.
const QPointF Light(-0.447, -0.894);

double TowardLight(QPointF outward)
{
    return outward.x() * Light.x() + outward.y() * Light.y();
}

// A faint, fixed grain that keeps the field's gradient from banding.
double Grain(double x, double y)
{
    uint32_t h = uint32_t(int(x)) * 374761393u + uint32_t(int(y)) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return double((h ^ (h >> 16)) & 0xffff) / 65535.0 - 0.5;
}

Rgb FieldColour(QPointF p)
{
    const double r = std::hypot(p.x() - 150, p.y() - 140);
    const double g = Grain(p.x(), p.y()) * 1.6;
    return Mix(FieldMiddle, FieldEdge, Smoothstep(40, 250, r)) + Rgb{g, g, g};
}

// An empty cell: a recess with a shadow under its lit edges and a grout line round it.
Rgb WellColour(QPointF local, bool up)
{
    const EdgeDistance e = PolygonDistance(CellTriangle(up), local);
    const double lit = TowardLight(e.outward);
    Rgb c = Well;
    if (lit > 0) {
        c = Mix(c, WellShadow, lit * (1 - Smoothstep(0.8, 4.5, e.inside)));
    } else {
        c = Mix(c, Grout, -lit * 0.35 * (1 - Smoothstep(0.8, 3.0, e.inside)));
    }
    return Mix(Grout, c, Smoothstep(0.2, 0.9, e.inside));
}

// Outside the cells: the raised lip of the tray, its shadow, then the field.
Rgb SurroundColour(QPointF p)
{
    constexpr double RimWidth = 7;
    const EdgeDistance hex = PolygonDistance(BoardHexagon(), p);
    const double out = -hex.inside;
    const double u = std::clamp(out / RimWidth, 0.0, 1.0);
    const double lit = TowardLight(hex.outward) * -std::cos(M_PI * u);
    const Rgb rim = Mix(TrayDark, TrayLight, 0.5 + 0.5 * lit);
    const double shadow = 0.45 * (1 - Smoothstep(RimWidth, RimWidth + 7, out));
    const Rgb field = Mix(FieldColour(p), WellShadow * 0.5, shadow);
    return Mix(rim, field, Smoothstep(RimWidth - 0.5, RimWidth + 0.5, out));
}

Sample BackSample(double x, double y)
{
    QPointF local;
    const int cell = CellAt({x, y}, &local);
    if (cell >= 0) {
        return {WellColour(local, BoardCells()[cell].up)};
    }
    return {SurroundColour({x, y})};
}

// A tile over its empty cell. The face is one flat colour from 5 pixels inside the cell's
// edge on, so that the opaque digit glyphs sit on it without a seam, highlighted or not.
Sample TileSample(QPointF local, bool up, bool highlighted)
{
    const EdgeDistance e = PolygonDistance(CellTriangle(up), local);
    const double start = highlighted ? 0.7 : 1.6;
    if (e.inside < start) {
        return {WellColour(local, up), false};
    }
    const double lit = TowardLight(e.outward);
    const double outerLine = 1 - Smoothstep(start, start + 0.9, e.inside);
    if (!highlighted) {
        const double bevel = 1 - Smoothstep(start, 4.2, e.inside);
        Rgb c = lit > 0 ? Mix(TileFace, TileLit, lit * bevel * 1.2) : Mix(TileFace, TileShade, -lit * bevel * 1.1);
        return {Mix(c, TileShade * 0.8, outerLine * 0.5)};
    }
    const Rgb rim = lit > 0 ? Mix(Amber, AmberGlow, lit * 0.35) : Mix(Amber, AmberDeep, -lit * 0.6);
    const Rgb glow = Mix(AmberGlow, TileFace, Smoothstep(3.4, 5.0, e.inside));
    const Rgb c = Mix(rim, glow, Smoothstep(2.9, 3.6, e.inside));
    return {Mix(c, AmberDeep, outerLine * 0.6)};
}

// Digits in hues that step round the colour wheel, so that neighbouring numbers look akin.
const QColor DigitInk[10] = {
    {150, 138, 120}, {44, 84, 160}, {22, 120, 150}, {30, 128, 88},  {104, 124, 28},
    {170, 118, 10},  {196, 86, 30}, {186, 44, 64},  {140, 50, 140}, {86, 60, 170},
};

void DrawPill(QPainter& p, const QRectF& box, Rgb fill, const QString& text)
{
    const double radius = box.height() / 2;
    QLinearGradient shade(box.topLeft(), box.bottomLeft());
    shade.setColorAt(0, Mix(fill, Ivory, 0.18).ToColor());
    shade.setColorAt(1, (fill * 0.82).ToColor());
    p.setPen(QPen((fill * 0.6).ToColor(), 1));
    p.setBrush(shade);
    p.drawRoundedRect(box, radius, radius);
    p.setPen(QPen(Mix(fill, Ivory, 0.45).ToColor(), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(box.left() + radius, box.top() + 1.2), QPointF(box.right() - radius, box.top() + 1.2));
    DrawText(p, text, Gothic(12), box.center() + QPointF(0, 0.3), Ivory.ToColor(), 0.35);
}

QPainterPath Star(QPointF centre, double outer, double inner)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 == 0 ? outer : inner;
        const double a = -M_PI / 2 + i * M_PI / 5;
        const QPointF v = centre + QPointF(r * std::cos(a), r * std::sin(a));
        i == 0 ? path.moveTo(v) : path.lineTo(v);
    }
    path.closeSubpath();
    return path;
}

struct PlaqueStyle {
    QSize size;
    Rgb border;
    Rgb titleInk;
    QString title;
    double titleSize;
    QString note;
    bool stars;
};

// A rounded ivory plaque with a coloured frame, a title and a short note, cut out of white
// over the part of the field it will be shown on.
QImage Plaque(const QImage& under, const PlaqueStyle& style)
{
    const int w = style.size.width();
    const int h = style.size.height();
    QImage layer = LayerImage(w, h);
    QPainter p(&layer);
    SmoothPainter(p);

    const QRectF body(4, 3, w - 8, h - 8);
    p.setPen(Qt::NoPen);
    for (int i = 3; i >= 1; --i) {
        p.setBrush(QColor(0, 0, 0, 26));
        p.drawRoundedRect(body.translated(0, 1.5).adjusted(-i, -i + 1, i, i), 13 + i, 13 + i);
    }
    QLinearGradient face(body.topLeft(), body.bottomLeft());
    face.setColorAt(0, OpaqueWhite);
    face.setColorAt(1, Mix(Ivory, style.border, 0.10).ToColor());
    p.setBrush(face);
    p.setPen(QPen(style.border.ToColor(), 2.5));
    p.drawRoundedRect(body, 12, 12);
    p.setPen(QPen(Mix(style.border, Ivory, 0.55).ToColor(), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(body.adjusted(4, 4, -4, -4), 8, 8);

    const double titleY = body.top() + body.height() * 0.42;
    DrawText(p, style.title, Gothic(style.titleSize), QPointF(w / 2.0, titleY), style.titleInk.ToColor(), 0.9);
    DrawText(p, style.note, Gothic(11), QPointF(w / 2.0, body.bottom() - 14), (style.titleInk * 0.75).ToColor(),
             0.15);
    if (style.stars) {
        p.setPen(QPen((Gold * 0.75).ToColor(), 0.8));
        p.setBrush(Gold.ToColor());
        p.drawPath(Star(QPointF(body.left() + 20, titleY), 7, 3));
        p.drawPath(Star(QPointF(body.right() - 20, titleY), 7, 3));
    }
    p.end();
    return CutOut(under, layer);
}

QRect CentredOnField(QSize size)
{
    return QRect((FieldSize - size.width()) / 2, (FieldSize - size.height()) / 2, size.width(), size.height());
}

} // namespace

QImage BackPicture()
{
    QImage back = RenderShader(FieldSize, FieldSize, BackSample);
    QPainter p(&back);
    SmoothPainter(p);
    DrawText(p, "Kalmeno", Gothic(13), QPointF(38, 16), Mix(FieldMiddle, TrayLight, 0.75).ToColor(), 0.2);
    return back;
}

QImage TrianglePicture(bool highlighted)
{
    return RenderShader(CellWidth, 2 * CellHeight, [highlighted](double x, double y) {
        const bool up = y >= CellHeight;
        return TileSample(QPointF(x, up ? y - CellHeight : y), up, highlighted);
    });
}

QImage TilePicture()
{
    QImage tiles = OpaqueImage(10 * DigitSize, DigitSize, TileFace.ToColor());
    QPainter p(&tiles);
    SmoothPainter(p);
    for (int v = 0; v <= 9; ++v) {
        DrawText(p, QString::number(v), Gothic(16), QPointF(v * DigitSize + DigitSize / 2.0, DigitSize / 2.0),
                 DigitInk[v], 0.7);
    }
    return tiles;
}

QImage EndPicture(const QImage& back)
{
    const QImage strip = back.copy(BannerLeft, BannerTop, BannerWidth, BannerHeight);
    QImage banners = OpaqueImage(BannerWidth, 4 * BannerHeight);
    QPainter p(&banners);
    SmoothPainter(p);
    const struct {
        Rgb fill;
        QString text;
    } rows[] = {{Gold * 0.85, "クリア"}, {DeadEndRed, "手詰まり"}, {AbortSlate, "中断"}};
    for (int row = 0; row < 4; ++row) {
        p.drawImage(0, row * BannerHeight, strip);
        if (row > 0) {
            const QRectF pill(8.5, row * BannerHeight + 1.5, BannerWidth - 17, BannerHeight - 3);
            DrawPill(p, pill, rows[row - 1].fill, rows[row - 1].text);
        }
    }
    return banners;
}

QImage CompletePicture(const QImage& back)
{
    const QSize size(210, 100);
    return Plaque(back.copy(CentredOnField(size)),
                  {size, Gold, {28, 112, 92}, "おめでとう！", 28, "全てのタイルを消しました", true});
}

QImage DeadEndPicture(const QImage& back)
{
    const QSize size(200, 90);
    const QRect area = CentredOnField(size);
    QImage under = back.copy(area);
    QPainter p(&under);
    p.setOpacity(DeadEndGreenOpacity);
    p.fillRect(under.rect(), DeadEndGreen.ToColor());
    p.end();
    return Plaque(under, {size, DeadEndRed, DeadEndRed * 0.9, "手詰まり", 32, "消せるタイルがありません", false});
}
