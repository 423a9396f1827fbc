#pragma once
// The picture buttons: two keys side by side in a 60 by 30 group.

#include "puzzle/FieldGeometry.h"

#include <QImage>
#include <QPainter>

#include <functional>

// Where the field draws the two groups.
inline constexpr QPoint StartGroupOffset(StartGroupLeft, ButtonRowTop);
inline constexpr QPoint UndoGroupOffset(UndoGroupLeft, ButtonRowTop);

// Paints a key's glyph centred on a point in an ink.
using GlyphPainter = std::function<void(QPainter&, QPointF centre, const QColor& ink)>;

struct KeyStyle {
    GlyphPainter glyph;
    QColor ink;
};

// A group's pictures: the base (both keys disabled, on the field background it covers) and per
// key the normal and pushed overlays, pure white outside the key.
struct ButtonGroupArt {
    QImage base;
    QImage normal[2];
    QImage pushed[2];
};

ButtonGroupArt ButtonGroup(const QImage& back, QPoint offset, const KeyStyle keys[2]);

// Button0Mask / Button1Mask: black over key 0 or 1, white elsewhere.
QImage ButtonMask(int key);

// The glyphs of the four keys.
GlyphPainter CharacterGlyph(const QString& character);
GlyphPainter ArrowGlyph(bool pointsLeft);
