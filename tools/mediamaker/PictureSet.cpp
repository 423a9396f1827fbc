#include "tools/mediamaker/PictureSet.h"

#include "tools/mediamaker/ButtonArt.h"
#include "tools/mediamaker/CursorArt.h"
#include "tools/mediamaker/EmblemArt.h"
#include "tools/mediamaker/FieldArt.h"
#include "tools/mediamaker/Palette.h"

std::vector<NamedImage> gamePictures()
{
    using namespace palette;
    const QImage back = backPicture();
    const KeyStyle startKeys[2] = {{characterGlyph("始"), StartInk.toColor()},
                                   {characterGlyph("再"), RetryInk.toColor()}};
    const KeyStyle undoKeys[2] = {{arrowGlyph(true), ArrowInk.toColor()}, {arrowGlyph(false), ArrowInk.toColor()}};
    const ButtonGroupArt start = buttonGroup(back, StartGroupOffset, startKeys);
    const ButtonGroupArt undo = buttonGroup(back, UndoGroupOffset, undoKeys);
    return {
        {"IconPict.png", iconPicture()},
        {"PomavellPict.png", makerLogoPicture()},
        {"TargetSystemPict.png", targetSystemPicture()},
        {"BackPict.png", back},
        {"TrianglePict.png", trianglePicture(false)},
        {"TriangleHiPict.png", trianglePicture(true)},
        {"TilePict.png", tilePicture()},
        {"EndPict.png", endPicture(back)},
        {"StartBtnPictB.png", start.base},
        {"UndoBtnPictB.png", undo.base},
        {"Button0Mask.png", buttonMask(0)},
        {"Button1Mask.png", buttonMask(1)},
        {"StartBtnPictN.png", start.normal[0]},
        {"RetryBtnPictN.png", start.normal[1]},
        {"UndoBtnPictN.png", undo.normal[0]},
        {"RedoBtnPictN.png", undo.normal[1]},
        // The pushed start face is "RetryBtnPictR.png", the pushed retry face "RetryBtnPictR1.png".
        {"RetryBtnPictR.png", start.pushed[0]},
        {"RetryBtnPictR1.png", start.pushed[1]},
        {"UndoBtnPictR.png", undo.pushed[0]},
        {"RedoBtnPictR.png", undo.pushed[1]},
        {"CompletePict.png", completePicture(back)},
        {"DeadEndPict.png", deadEndPicture(back)},
    };
}

std::vector<NamedImage> gameCursors()
{
    return {{"Cursor168.png", buttonCursor()}, {"Cursor169.png", fieldCursor()}, {"Cursor170.png", selectCursor()}};
}

QImage pictureNamed(const std::vector<NamedImage>& set, const QString& file)
{
    for (const NamedImage& named : set) {
        if (named.file == file) {
            return named.image;
        }
    }
    return {};
}
