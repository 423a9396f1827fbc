#include "components/buttonpicture/ButtonPicture.h"

#include "framework/Graphics.h"
#include "framework/Input.h"
#include "framework/Picture.h"

void ButtonPicture::Constructor(std::shared_ptr<Picture> base, Int32 offsetX, Int32 offsetY, Int32 depth,
                                bool useOldRenderer)
{
    ItsBasePicture = std::move(base);
    OffsetX = offsetX;
    OffsetY = offsetY;
    ItsWidth = ItsBasePicture ? ItsBasePicture->Width() : 0;
    ItsHeight = ItsBasePicture ? ItsBasePicture->Height() : 0;
    ItsDepth = (depth == 8 || depth == 16) ? depth : 32;
    ItsPicture = Picture::New(ItsWidth, ItsHeight, ItsDepth);
    ItsGraphics = ItsPicture ? ItsPicture->Graphics() : nullptr;
    if (ItsGraphics) {
        ItsGraphics->UseOldRenderer = useOldRenderer;
    }
    MakePicture(-1);
    CurrentMouse = System::MouseDown();
}

std::shared_ptr<Picture> ButtonPicture::GetPicture()
{
    IsPictureUpdated = false;
    return ItsPicture;
}

String ButtonPicture::VersionInfo()
{
    return "2012-05-23,1";
}

void ButtonPicture::AddButton(std::shared_ptr<Picture> normal, std::shared_ptr<Picture> pushed,
                              std::shared_ptr<Picture> mask)
{
    ItsNormalPicture.push_back(std::move(normal));
    ItsPushedPicture.push_back(std::move(pushed));
    std::shared_ptr<Picture> bits = mask ? Picture::New(mask->Width(), mask->Height(), 1) : nullptr;
    if (bits) {
        Graphics& g = *bits->Graphics();
        g.UseOldRenderer = true;
        g.DrawPicture(mask, 0, 0);
    }
    ItsMask.push_back(std::move(bits));
    ButtonEnabled.push_back(false);
    NumberOfButtons += 1;
}

Int32 ButtonPicture::MouseDown(Int32 x, Int32 y)
{
    CurrentMouse = true;
    const Int32 p = MouseTest(x, y);
    CurrentPosition = p;
    CurrentButton = p;
    MouseOnButton = p >= 0;
    MakePicture(p);
    return CurrentButton;
}

Int32 ButtonPicture::MouseUp(Int32 x, Int32 y)
{
    CurrentMouse = false;
    const Int32 p = MouseTest(x, y);
    CurrentPosition = p;
    Int32 result = -1;
    if (CurrentButton >= 0) {
        if (p == CurrentButton) {
            result = CurrentButton;
        }
        CurrentButton = -1;
        MakePicture(-1);
    }
    return result;
}

Int32 ButtonPicture::MouseMove(Int32 x, Int32 y)
{
    const bool was = CurrentMouse;
    CurrentMouse = System::MouseDown();
    const Int32 p = MouseTest(x, y);
    CurrentPosition = p;
    if (CurrentButton < 0) {
        // A press that began elsewhere does not light up the buttons it passes over.
        return (CurrentMouse && was) ? -1 : p;
    }
    if (MouseOnButton && p != CurrentButton) {
        MakePicture(-1);
        MouseOnButton = false;
    } else if (!MouseOnButton && p == CurrentButton) {
        MakePicture(CurrentButton);
        MouseOnButton = true;
    }
    return CurrentButton;
}

Int32 ButtonPicture::MouseTest(Int32 x, Int32 y)
{
    const Int32 lx = x - OffsetX;
    const Int32 ly = y - OffsetY;
    if (lx < 0 || lx >= ItsWidth || ly < 0 || ly >= ItsHeight) {
        return -1;
    }
    for (Int32 i = 0; i < NumberOfButtons; ++i) {
        Picture* mask = ItsMask[i].get();
        if (ButtonEnabled[i] && mask && lx < mask->Width() && ly < mask->Height() &&
            mask->Graphics()->Pixel(lx, ly).Value() < 0.5) {
            return i;
        }
    }
    return -1;
}

void ButtonPicture::MakePicture(Int32 pushed)
{
    IsPictureUpdated = true;
    if (!ItsGraphics) {
        return;
    }
    ItsGraphics->DrawPicture(ItsBasePicture, 0, 0);
    for (Int32 i = 0; i < NumberOfButtons; ++i) {
        if (ButtonEnabled[i]) {
            ItsGraphics->DrawPicture(i == pushed ? ItsPushedPicture[i] : ItsNormalPicture[i], 0, 0);
        }
    }
}

void ButtonPicture::ButtonEnable(Int32 index)
{
    SetButtonEnabled(index, true);
}

void ButtonPicture::ButtonDisable(Int32 index)
{
    SetButtonEnabled(index, false);
}

bool ButtonPicture::RefUpdated()
{
    return IsPictureUpdated;
}

void ButtonPicture::PaintButton(Graphics& g)
{
    g.DrawPicture(ItsPicture, OffsetX, OffsetY);
    IsPictureUpdated = false;
}

void ButtonPicture::SetButtonEnabled(Int32 index, bool enabled)
{
    if (index < 0 || index >= NumberOfButtons) {
        return;
    }
    ButtonEnabled[index] = enabled;
    MakePicture(-1);
}
