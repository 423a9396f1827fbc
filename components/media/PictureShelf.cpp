#include "components/media/PictureShelf.h"

#include "components/media/ResourceFile.h"
#include "framework/FolderItem.h"
#include "framework/Picture.h"

namespace {

struct PictureSource {
    const char* file;
    bool transparent;
};

const PictureSource Sources[PictureShelf::Count] = {
    {"IconPict.png", false},     {"PomavellPict.png", false}, {"TargetSystemPict.png", false},
    {"BackPict.png", false},     {"TrianglePict.png", true},  {"TriangleHiPict.png", true},
    {"TilePict.png", false},     {"EndPict.png", false},      {"StartBtnPictB.png", false},
    {"UndoBtnPictB.png", false}, {"Button0Mask.png", false},  {"Button1Mask.png", false},
    {"StartBtnPictN.png", true}, {"RetryBtnPictN.png", true}, {"UndoBtnPictN.png", true},
    {"RedoBtnPictN.png", true},  {"RetryBtnPictR.png", true}, {"RetryBtnPictR1.png", true},
    {"UndoBtnPictR.png", true},  {"RedoBtnPictR.png", true},  {"CompletePict.png", false},
    {"DeadEndPict.png", false},
};

} // namespace

String PictureShelf::FileName(Id id)
{
    return Sources[id].file;
}

bool PictureShelf::IsTransparent(Id id)
{
    return Sources[id].transparent;
}

std::shared_ptr<Picture> PictureShelf::Get(Id id)
{
    std::shared_ptr<Picture>& pic = itsSlots[id];
    if (!pic) {
        const auto file = ResourceFile(FileName(id));
        pic = file ? file->OpenAsPicture() : nullptr;
        if (pic && IsTransparent(id)) {
            pic->SetTransparent(1);
        }
    }
    return pic;
}

PictureShelf& PictureShelf::Shared()
{
    // Never destroyed: the pictures live until the process ends, past the framework's clean-up.
    static PictureShelf* const shelf = new PictureShelf;
    return *shelf;
}
