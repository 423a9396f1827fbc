#include "components/media/Pictures.h"

#include "components/media/PictureShelf.h"

// clang-format off
std::shared_ptr<Picture> IconPict() { return PictureShelf::Shared().Get(PictureShelf::Icon); }
std::shared_ptr<Picture> PomavellPict() { return PictureShelf::Shared().Get(PictureShelf::Pomavell); }
std::shared_ptr<Picture> TargetSystemPict() { return PictureShelf::Shared().Get(PictureShelf::TargetSystem); }
std::shared_ptr<Picture> BackPict() { return PictureShelf::Shared().Get(PictureShelf::Back); }
std::shared_ptr<Picture> TrianglePict() { return PictureShelf::Shared().Get(PictureShelf::Triangle); }
std::shared_ptr<Picture> TriangleHiPict() { return PictureShelf::Shared().Get(PictureShelf::TriangleHi); }
std::shared_ptr<Picture> TilePict() { return PictureShelf::Shared().Get(PictureShelf::Tile); }
std::shared_ptr<Picture> EndPict() { return PictureShelf::Shared().Get(PictureShelf::End); }
std::shared_ptr<Picture> StartBtnPictB() { return PictureShelf::Shared().Get(PictureShelf::StartBtnB); }
std::shared_ptr<Picture> UndoBtnPictB() { return PictureShelf::Shared().Get(PictureShelf::UndoBtnB); }
std::shared_ptr<Picture> Button0Mask() { return PictureShelf::Shared().Get(PictureShelf::Button0Mask); }
std::shared_ptr<Picture> Button1Mask() { return PictureShelf::Shared().Get(PictureShelf::Button1Mask); }
std::shared_ptr<Picture> StartBtnPictN() { return PictureShelf::Shared().Get(PictureShelf::StartBtnN); }
std::shared_ptr<Picture> RetryBtnPictN() { return PictureShelf::Shared().Get(PictureShelf::RetryBtnN); }
std::shared_ptr<Picture> UndoBtnPictN() { return PictureShelf::Shared().Get(PictureShelf::UndoBtnN); }
std::shared_ptr<Picture> RedoBtnPictN() { return PictureShelf::Shared().Get(PictureShelf::RedoBtnN); }
std::shared_ptr<Picture> StartBtnPictR() { return PictureShelf::Shared().Get(PictureShelf::StartBtnR); }
std::shared_ptr<Picture> RetryBtnPictR() { return PictureShelf::Shared().Get(PictureShelf::RetryBtnR); }
std::shared_ptr<Picture> UndoBtnPictR() { return PictureShelf::Shared().Get(PictureShelf::UndoBtnR); }
std::shared_ptr<Picture> RedoBtnPictR() { return PictureShelf::Shared().Get(PictureShelf::RedoBtnR); }
std::shared_ptr<Picture> CompletePict() { return PictureShelf::Shared().Get(PictureShelf::Complete); }
std::shared_ptr<Picture> DeadEndPict() { return PictureShelf::Shared().Get(PictureShelf::DeadEnd); }
// clang-format on
