#include "tools/mediamaker/PictureSet.h"

#include "tools/mediamaker/ButtonArt.h"
#include "tools/mediamaker/CursorArt.h"
#include "tools/mediamaker/EmblemArt.h"
#include "tools/mediamaker/FieldArt.h"
#include "tools/mediamaker/Palette.h"

std::vector<NamedImage> GamePictures()
{
    using namespace palette;
    const QImage back = BackPicture();
    const KeyStyle startKeys[2] = {{CharacterGlyph("始"), StartInk.ToColor()},
                                   {CharacterGlyph("再"), RetryInk.ToColor()}};
    const KeyStyle undoKeys[2] = {{ArrowGlyph(true), ArrowInk.ToColor()}, {ArrowGlyph(false), ArrowInk.ToColor()}};
    const ButtonGroupArt start = ButtonGroup(back, StartGroupOffset, startKeys);
    const ButtonGroupArt undo = ButtonGroup(back, UndoGroupOffset, undoKeys);
    return {
        {"IconPict.png", IconPicture()},
        {"PomavellPict.png", MakerLogoPicture()},
        {"TargetSystemPict.png", TargetSystemPicture()},
        {"BackPict.png", back},
        {"TrianglePict.png", TrianglePicture(false)},
        {"TriangleHiPict.png", TrianglePicture(true)},
        {"TilePict.png", TilePicture()},
        {"EndPict.png", EndPicture(back)},
        {"StartBtnPictB.png", start.base},
        {"UndoBtnPictB.png", undo.base},
        {"Button0Mask.png", ButtonMask(0)},
        {"Button1Mask.png", ButtonMask(1)},
        {"StartBtnPictN.png", start.normal[0]},
        {"RetryBtnPictN.png", start.normal[1]},
        {"UndoBtnPictN.png", undo.normal[0]},
        {"RedoBtnPictN.png", undo.normal[1]},
        // The pushed start face is "RetryBtnPictR.png", the pushed retry face "RetryBtnPictR1.png".
        {"RetryBtnPictR.png", start.pushed[0]},
        {"RetryBtnPictR1.png", start.pushed[1]},
        {"UndoBtnPictR.png", undo.pushed[0]},
        {"RedoBtnPictR.png", undo.pushed[1]},
        {"CompletePict.png", CompletePicture(back)},
        {"DeadEndPict.png", DeadEndPicture(back)},
    };
}

std::vector<NamedImage> GameCursors()
{
    return {
        {"Cursor168.png", ButtonCursor()}, {"Cursor169.png", FieldCursor()}, {"Cursor170.png", SelectCursor()}};
}

QImage PictureNamed(const std::vector<NamedImage>& set, const QString& file)
{
    for (const NamedImage& named : set) {
        if (named.file == file) {
            return named.image;
        }
    }
    return {};
}
