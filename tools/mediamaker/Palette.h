#pragma once
// The colours the whole set of pictures shares.

#include "tools/mediamaker/Shade.h"

namespace palette {

// Field: a dusk blue, lighter in the middle.
inline constexpr Rgb FieldMiddle{40, 70, 98};
inline constexpr Rgb FieldEdge{18, 33, 51};

// The board tray around the hexagon and the empty cells inside it.
inline constexpr Rgb TrayLight{92, 124, 150};
inline constexpr Rgb TrayDark{30, 50, 70};
inline constexpr Rgb Well{27, 46, 66};
inline constexpr Rgb WellShadow{16, 29, 44};
inline constexpr Rgb Grout{58, 86, 112};

// Tiles: ivory with a bevel; the highlight adds an amber rim.
inline constexpr Rgb TileFace{242, 233, 212};
inline constexpr Rgb TileLit{253, 250, 242};
inline constexpr Rgb TileShade{178, 163, 136};
inline constexpr Rgb Amber{255, 170, 40};
inline constexpr Rgb AmberDeep{214, 120, 18};
inline constexpr Rgb AmberGlow{255, 214, 140};

// Keys of the picture buttons.
inline constexpr Rgb Socket{14, 26, 40};
inline constexpr Rgb KeyOff{52, 74, 96};
inline constexpr Rgb KeyOffGlyph{96, 120, 144};
inline constexpr Rgb KeyFaceTop{252, 248, 238};
inline constexpr Rgb KeyFaceBottom{228, 219, 199};
inline constexpr Rgb KeySide{150, 134, 108};
inline constexpr Rgb KeyPushedTop{222, 212, 190};
inline constexpr Rgb KeyPushedBottom{206, 195, 172};

// Glyphs on the keys.
inline constexpr Rgb StartInk{26, 122, 96};
inline constexpr Rgb RetryInk{186, 98, 24};
inline constexpr Rgb ArrowInk{40, 78, 140};

// Banners.
inline constexpr Rgb DeadEndRed{156, 62, 54};
inline constexpr Rgb AbortSlate{88, 100, 118};
inline constexpr Rgb Ivory{250, 244, 230};
inline constexpr Rgb Gold{222, 168, 56};
inline constexpr Rgb Ink{34, 40, 52};

// The green the field lays over the board at a dead end, and its opacity.
inline constexpr Rgb DeadEndGreen{0, 153, 0};
inline constexpr double DeadEndGreenOpacity = 0.4;

} // namespace palette
