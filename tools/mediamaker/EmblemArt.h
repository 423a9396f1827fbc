#pragma once
// The small pictures of the about window.

#include <QImage>

// IconPict: 32 by 32, the game's icon (a little board of six tiles) on white.
QImage IconPicture();

// PomavellPict: 32 by 32, the maker's logo on white.
QImage MakerLogoPicture();

// TargetSystemPict: 16 by 40, five 8-high badges; the one shown (rows 32 to 39) names the
// system the game is built for.
QImage TargetSystemPicture();
