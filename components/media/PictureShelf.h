#pragma once
// The slots of the game's 22 pictures. A picture that is missing is looked for again at every
// call; once loaded it is kept for the rest of the run.

#include "framework/Types.h"

#include <array>

class Picture;

class PictureShelf {
public:
    // clang-format off
    enum Id {
        Icon, Pomavell, TargetSystem, Back, Triangle, TriangleHi, Tile, End,
        StartBtnB, UndoBtnB, Button0Mask, Button1Mask,
        StartBtnN, RetryBtnN, UndoBtnN, RedoBtnN,
        StartBtnR, RetryBtnR, UndoBtnR, RedoBtnR,
        Complete, DeadEnd,
        Count
    };
    // clang-format on

    // The picture's file in the resources folder. The pushed start face is
    // "RetryBtnPictR.png" and the pushed retry face "RetryBtnPictR1.png".
    static String FileName(Id id);

    // True for the ten pictures whose white is drawn transparent: the two triangle strips and
    // the eight button overlays.
    static bool IsTransparent(Id id);

    // The picture, loaded when the slot is still empty; null while it cannot be loaded.
    std::shared_ptr<Picture> Get(Id id);

    // The program's one shelf, behind the picture accessors.
    static PictureShelf& Shared();

private:
    std::array<std::shared_ptr<Picture>, Count> itsSlots;
};
