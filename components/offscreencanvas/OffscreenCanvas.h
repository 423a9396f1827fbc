#pragma once
// A canvas that shows an off-screen picture. A subclass draws the whole content into the
// picture in PaintOffscreen; a paint only copies the picture onto the screen, scaled when
// the control's size differs from the picture's. The owner makes the picture from its
// handler of Created with CreateOffscreen.

#include "framework/Canvas.h"
#include "framework/Event.h"

class Graphics;
class Picture;

class OffscreenCanvas : public Canvas {
public:
    // Open and Paint are handled here; subclasses customise Initialize and PaintOffscreen.
    void Event_Open() final;
    void Event_Paint(Graphics& g) final;
    // Makes the picture: depth 1, 8, 16 or 24, anything else 32; the fixed size when both
    // sides are set, else the control's size. Then draws it the first time.
    virtual void CreateOffscreen(Int32 depth, bool useOldRenderer);

protected:
    virtual void PaintOffscreen();
    // Repaints the control, unless its last paint showed the picture as it is, and with
    // updateNow brings the window up to date at once.
    virtual void RefreshPicture(bool updateNow);

public:
    virtual void DisposeOffscreen();

protected:
    // Runs when the control opens, before Created.
    virtual void Initialize();

public:
    virtual String VersionInfo() const;

protected:
    virtual void OffscreenCreated();
    virtual void OffscreenDisposed();

public:
    virtual bool RefOffscreenAvail() const;
    // The pointer in control coordinates.
    virtual Int32 GetMouseLocalX() const;
    virtual Int32 GetMouseLocalY() const;
    // A control coordinate as a picture coordinate; 0 for a control of no width or height.
    virtual Int32 ScaledPosX(Int32 x) const;
    virtual Int32 ScaledPosY(Int32 y) const;

protected:
    // Copies the picture into g, or fills the control white while there is none.
    virtual void PaintCanvas(Graphics& g);

public:
    virtual bool IsPointIn(Int32 x, Int32 y) const;

    // Raised when the control has opened, after Initialize.
    Event<void(OffscreenCanvas&)> Created;

protected:
    std::shared_ptr<Picture> OffscreenPicture;
    std::shared_ptr<::Graphics> OffscreenGraphics;
    Int32 ItsWidth = 0;
    Int32 ItsHeight = 0;
    Int32 ItsDepth = 0;
    bool IsOffscreenAveil = false;
    Int32 ItsFixedWidth = 0;
    Int32 ItsFixedHeight = 0;

private:
    // The version of the picture that the control's last paint showed; 0 for none.
    std::uint64_t itsShownVersion = 0;
};
