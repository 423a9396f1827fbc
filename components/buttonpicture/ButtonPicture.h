#pragma once
// A group of picture buttons drawn as one composite picture and hit-tested through 1-bit masks.
// The owner passes the pointer in its own coordinates and reads back button indices (-1: none).

#include "framework/Types.h"

#include <memory>
#include <vector>

class Graphics;
class Picture;

class ButtonPicture : public Object {
public:
    // Set-up is a virtual operation, as the others, so that a subclass's MakePicture takes part.
    virtual void Constructor(std::shared_ptr<Picture> base, Int32 offsetX, Int32 offsetY, Int32 depth,
                             bool useOldRenderer);
    // The composite itself, not a copy.
    virtual std::shared_ptr<Picture> GetPicture();
    virtual String VersionInfo();
    // Adds a disabled button with the next index; the mask is reduced to 1 bit once, here.
    virtual void AddButton(std::shared_ptr<Picture> normal, std::shared_ptr<Picture> pushed,
                           std::shared_ptr<Picture> mask);
    virtual Int32 MouseDown(Int32 x, Int32 y);
    // The pressed button when released over it, else -1.
    virtual Int32 MouseUp(Int32 x, Int32 y);
    virtual Int32 MouseMove(Int32 x, Int32 y);

protected:
    virtual Int32 MouseTest(Int32 x, Int32 y);
    // Rebuilds the composite with button `pushed` shown pushed (-1: none).
    virtual void MakePicture(Int32 pushed);

public:
    // Enabling or disabling rebuilds the composite with nothing pushed; an index that names no
    // button is ignored.
    virtual void ButtonEnable(Int32 index);
    virtual void ButtonDisable(Int32 index);
    virtual bool RefUpdated();
    virtual void PaintButton(Graphics& g);

protected:
    std::shared_ptr<Picture> ItsBasePicture;
    std::vector<std::shared_ptr<Picture>> ItsPushedPicture;
    std::vector<std::shared_ptr<Picture>> ItsMask;
    Int32 NumberOfButtons = 0;
    std::shared_ptr<Picture> ItsPicture;
    std::shared_ptr<Graphics> ItsGraphics;
    Int32 ItsWidth = 0;
    Int32 ItsHeight = 0;
    Int32 ItsDepth = 0;
    Int32 CurrentButton = -1;
    std::vector<bool> ButtonEnabled;
    bool MouseOnButton = false;
    std::vector<std::shared_ptr<Picture>> ItsNormalPicture;
    bool IsPictureUpdated = false;
    Int32 OffsetX = 0;
    Int32 OffsetY = 0;
    Int32 CurrentPosition = -1;
    bool CurrentMouse = false;

private:
    void SetButtonEnabled(Int32 index, bool enabled);
};
