#pragma once
// The game's pictures, each loaded from the resources folder when first asked for; a missing
// picture is looked for again at every call, and a loaded one kept for the run. The two
// triangle strips and the eight button overlays draw their white as transparent.

#include "framework/Types.h"

class Picture;

std::shared_ptr<Picture> IconPict();
std::shared_ptr<Picture> PomavellPict();
std::shared_ptr<Picture> TargetSystemPict();
std::shared_ptr<Picture> BackPict();
std::shared_ptr<Picture> TrianglePict();
std::shared_ptr<Picture> TriangleHiPict();
std::shared_ptr<Picture> TilePict();
std::shared_ptr<Picture> EndPict();
std::shared_ptr<Picture> StartBtnPictB();
std::shared_ptr<Picture> UndoBtnPictB();
std::shared_ptr<Picture> Button0Mask();
std::shared_ptr<Picture> Button1Mask();
std::shared_ptr<Picture> StartBtnPictN();
std::shared_ptr<Picture> RetryBtnPictN();
std::shared_ptr<Picture> UndoBtnPictN();
std::shared_ptr<Picture> RedoBtnPictN();
std::shared_ptr<Picture> StartBtnPictR();
std::shared_ptr<Picture> RetryBtnPictR();
std::shared_ptr<Picture> UndoBtnPictR();
std::shared_ptr<Picture> RedoBtnPictR();
std::shared_ptr<Picture> CompletePict();
std::shared_ptr<Picture> DeadEndPict();
