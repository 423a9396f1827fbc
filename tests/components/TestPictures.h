#pragma once
// Pictures made in code for the component tests, and pixel checks on them.

#include "framework/Color.h"
#include "framework/Picture.h"

#include <memory>
#include <ostream>

// A 32-bit picture of one colour.
std::shared_ptr<Picture> SolidPicture(Int32 width, Int32 height, Color color);

// Fills a rectangle of the picture with one colour.
void FillArea(Picture& picture, Int32 x, Int32 y, Int32 width, Int32 height, Color color);

Color PixelOf(Picture& picture, Int32 x, Int32 y);

// True when every component differs by at most tolerance.
bool Near(Color a, Color b, int tolerance);

// The colour a of opacity `opacity` over b, as a mask of that grey gives it.
Color Blend(Color a, Color b, double opacity);

std::ostream& operator<<(std::ostream& out, const Color& color);
