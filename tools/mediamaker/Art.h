#pragma once
// Drawing helpers shared by all the pictures.

#include "tools/mediamaker/Shade.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

#include <functional>

// The pure white the game draws as transparent, and the light it uses where white must show.
inline const QColor TransparentWhite(255, 255, 255);
inline const QColor OpaqueWhite(254, 254, 254);

// A picture without alpha (what the game's opaque pictures are), filled with one colour.
QImage OpaqueImage(int width, int height, const QColor& fill = TransparentWhite);

// A fully transparent layer to paint artwork on before it is laid over something.
QImage LayerImage(int width, int height);

// A painter with antialiasing, as all the artwork is drawn.
void SmoothPainter(QPainter& p);

// The layer laid over the opaque picture under it.
QImage Composite(const QImage& under, const QImage& layer);

// For pictures drawn with white as their transparent colour: where the layer paints nothing
// the result is pure white; elsewhere it is the layer over `under` (what the game will draw it
// over, so that antialiased edges blend with the right colour), never pure white.
QImage CutOut(const QImage& under, const QImage& layer);

// One sample of a per-pixel shader: its colour and whether the artwork covers the point.
struct Sample {
    Rgb colour;
    bool covered = true;
};
using Shader = std::function<Sample(double x, double y)>;

// Renders a shader with 4x4 samples per pixel; pixels no sample covers become pure white,
// pixels partly covered are never pure white.
QImage RenderShader(int width, int height, const Shader& shader);

// The CJK font of the pictures (IPA P Gothic) at a pixel size. LoadFonts() must have succeeded.
bool LoadFonts();
QFont Gothic(double pixelSize);

// Text as a path centred on a point (its ink box, not its line box, is centred).
QPainterPath TextPath(const QString& text, const QFont& font, QPointF centre);

// Fills text centred on a point; a positive `weight` thickens the strokes by that many pixels.
void DrawText(QPainter& p, const QString& text, const QFont& font, QPointF centre, const QColor& ink,
              double weight = 0);
