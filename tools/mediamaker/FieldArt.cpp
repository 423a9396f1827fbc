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

double towardLight(QPointF outward)
{
    return outward.x() * Light.x() + outward.y() * Light.y();
}

// A faint, fixed grain that keeps the field's gradient from banding.
double grain(double x, double y)
{
    uint32_t h = uint32_t(int(x)) * 374761393u + uint32_t(int(y)) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return double((h ^ (h >> 16)) & 0xffff) / 65535.0 - 0.5;
}

Rgb fieldColour(QPointF p)
{
    const double r = std::hypot(p.x() - 150, p.y() - 140);
    const double g = grain(p.x(), p.y()) * 1.6;
    return mix(FieldMiddle, FieldEdge, smoothstep(40, 250, r)) + Rgb{g, g, g};
}

// An empty cell: a recess with a shadow under its lit edges and a grout line round it.
Rgb wellColour(QPointF local, bool up)
{
    const EdgeDistance e = polygonDistance(cellTriangle(up), local);
    const double lit = towardLight(e.outward);
    Rgb c = Well;
    if (lit > 0) {
        c = mix(c, WellShadow, lit * (1 - smoothstep(0.8, 4.5, e.inside)));
    } else {
        c = mix(c, Grout, -lit * 0.35 * (1 - smoothstep(0.8, 3.0, e.inside)));
    }
    return mix(Grout, c, smoothstep(0.2, 0.9, e.inside));
}

// Outside the cells: the raised lip of the tray, its shadow, then the field.
Rgb surroundColour(QPointF p)
{
    constexpr double RimWidth = 7;
    const EdgeDistance hex = polygonDistance(boardHexagon(), p);
    const double out = -hex.inside;
    const double u = std::clamp(out / RimWidth, 0.0, 1.0);
    const double lit = towardLight(hex.outward) * -std::cos(M_PI * u);
    const Rgb rim = mix(TrayDark, TrayLight, 0.5 + 0.5 * lit);
    const double shadow = 0.45 * (1 - smoothstep(RimWidth, RimWidth + 7, out));
    const Rgb field = mix(fieldColour(p), WellShadow * 0.5, shadow);
    return mix(rim, field, smoothstep(RimWidth - 0.5, RimWidth + 0.5, out));
}

Sample backSample(double x, double y)
{
    QPointF local;
    const int cell = cellAt({x, y}, &local);
    if (cell >= 0) {
        return {wellColour(local, boardCells()[cell].up)};
    }
    return {surroundColour({x, y})};
}

// A tile over its empty cell. The face is one flat colour from 5 pixels inside the cell's
// edge on, so that the opaque digit glyphs sit on it without a seam, highlighted or not.
Sample tileSample(QPointF local, bool up, bool highlighted)
{
    const EdgeDistance e = polygonDistance(cellTriangle(up), local);
    const double start = highlighted ? 0.7 : 1.6;
    if (e.inside < start) {
        return {wellColour(local, up), false};
    }
    const double lit = towardLight(e.outward);
    const double outerLine = 1 - smoothstep(start, start + 0.9, e.inside);
    if (!highlighted) {
        const double bevel = 1 - smoothstep(start, 4.2, e.inside);
        Rgb c = lit > 0 ? mix(TileFace, TileLit, lit * bevel * 1.2) : mix(TileFace, TileShade, -lit * bevel * 1.1);
        return {mix(c, TileShade * 0.8, outerLine * 0.5)};
    }
    const Rgb rim = lit > 0 ? mix(Amber, AmberGlow, lit * 0.35) : mix(Amber, AmberDeep, -lit * 0.6);
    const Rgb glow = mix(AmberGlow, TileFace, smoothstep(3.4, 5.0, e.inside));
    const Rgb c = mix(rim, glow, smoothstep(2.9, 3.6, e.inside));
    return {mix(c, AmberDeep, outerLine * 0.6)};
}

// Digits in hues that step round the colour wheel, so that neighbouring numbers look akin.
const QColor DigitInk[10] = {
    {150, 138, 120}, {44, 84, 160}, {22, 120, 150}, {30, 128, 88}, {104, 124, 28},
    {170, 118, 10},  {196, 86, 30}, {186, 44, 64},  {140, 50, 140}, {86, 60, 170},
};

void drawPill(QPainter& p, const QRectF& box, Rgb fill, const QString& text)
{
    const double radius = box.height() / 2;
    QLinearGradient shade(box.topLeft(), box.bottomLeft());
    shade.setColorAt(0, mix(fill, Ivory, 0.18).toColor());
    shade.setColorAt(1, (fill * 0.82).toColor());
    p.setPen(QPen((fill * 0.6).toColor(), 1));
    p.setBrush(shade);
    p.drawRoundedRect(box, radius, radius);
    p.setPen(QPen(mix(fill, Ivory, 0.45).toColor(), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(box.left() + radius, box.top() + 1.2), QPointF(box.right() - radius, box.top() + 1.2));
    drawText(p, text, gothic(12), box.center() + QPointF(0, 0.3), Ivory.toColor(), 0.35);
}

QPainterPath star(QPointF centre, double outer, double inner)
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
QImage plaque(const QImage& under, const PlaqueStyle& style)
{
    const int w = style.size.width();
    const int h = style.size.height();
    QImage layer = layerImage(w, h);
    QPainter p(&layer);
    smoothPainter(p);

    const QRectF body(4, 3, w - 8, h - 8);
    p.setPen(Qt::NoPen);
    for (int i = 3; i >= 1; --i) {
        p.setBrush(QColor(0, 0, 0, 26));
        p.drawRoundedRect(body.translated(0, 1.5).adjusted(-i, -i + 1, i, i), 13 + i, 13 + i);
    }
    QLinearGradient face(body.topLeft(), body.bottomLeft());
    face.setColorAt(0, OpaqueWhite);
    face.setColorAt(1, mix(Ivory, style.border, 0.10).toColor());
    p.setBrush(face);
    p.setPen(QPen(style.border.toColor(), 2.5));
    p.drawRoundedRect(body, 12, 12);
    p.setPen(QPen(mix(style.border, Ivory, 0.55).toColor(), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(body.adjusted(4, 4, -4, -4), 8, 8);

    const double titleY = body.top() + body.height() * 0.42;
    drawText(p, style.title, gothic(style.titleSize), QPointF(w / 2.0, titleY), style.titleInk.toColor(), 0.9);
    drawText(p, style.note, gothic(11), QPointF(w / 2.0, body.bottom() - 14), (style.titleInk * 0.75).toColor(),
             0.15);
    if (style.stars) {
        p.setPen(QPen((Gold * 0.75).toColor(), 0.8));
        p.setBrush(Gold.toColor());
        p.drawPath(star(QPointF(body.left() + 20, titleY), 7, 3));
        p.drawPath(star(QPointF(body.right() - 20, titleY), 7, 3));
    }
    p.end();
    return cutOut(under, layer);
}

QRect centredOnField(QSize size)
{
    return QRect((FieldSize - size.width()) / 2, (FieldSize - size.height()) / 2, size.width(), size.height());
}

} // namespace

QImage backPicture()
{
    QImage back = renderShader(FieldSize, FieldSize, backSample);
    QPainter p(&back);
    smoothPainter(p);
    drawText(p, "Kalmeno", gothic(13), QPointF(38, 16), mix(FieldMiddle, TrayLight, 0.75).toColor(), 0.2);
    return back;
}

QImage trianglePicture(bool highlighted)
{
    return renderShader(CellWidth, 2 * CellHeight, [highlighted](double x, double y) {
        const bool up = y >= CellHeight;
        return tileSample(QPointF(x, up ? y - CellHeight : y), up, highlighted);
    });
}

QImage tilePicture()
{
    constexpr int Glyph = 18;
    QImage tiles = opaqueImage(10 * Glyph, Glyph, TileFace.toColor());
    QPainter p(&tiles);
    smoothPainter(p);
    for (int v = 0; v <= 9; ++v) {
        drawText(p, QString::number(v), gothic(16), QPointF(v * Glyph + Glyph / 2.0, Glyph / 2.0), DigitInk[v], 0.7);
    }
    return tiles;
}

QImage endPicture(const QImage& back)
{
    const QImage strip = back.copy(BannerLeft, BannerTop, BannerWidth, BannerHeight);
    QImage banners = opaqueImage(BannerWidth, 4 * BannerHeight);
    QPainter p(&banners);
    smoothPainter(p);
    const struct {
        Rgb fill;
        QString text;
    } rows[] = {{Gold * 0.85, "クリア"}, {DeadEndRed, "手詰まり"}, {AbortSlate, "中断"}};
    for (int row = 0; row < 4; ++row) {
        p.drawImage(0, row * BannerHeight, strip);
        if (row > 0) {
            const QRectF pill(8.5, row * BannerHeight + 1.5, BannerWidth - 17, BannerHeight - 3);
            drawPill(p, pill, rows[row - 1].fill, rows[row - 1].text);
        }
    }
    return banners;
}

QImage completePicture(const QImage& back)
{
    const QSize size(210, 100);
    return plaque(back.copy(centredOnField(size)),
                  {size, Gold, {28, 112, 92}, "おめでとう！", 28, "全てのタイルを消しました", true});
}

QImage deadEndPicture(const QImage& back)
{
    const QSize size(200, 90);
    const QRect area = centredOnField(size);
    QImage under = back.copy(area);
    QPainter p(&under);
    p.setOpacity(DeadEndGreenOpacity);
    p.fillRect(under.rect(), DeadEndGreen.toColor());
    p.end();
    return plaque(under, {size, DeadEndRed, DeadEndRed * 0.9, "手詰まり", 32, "消せるタイルがありません", false});
}
