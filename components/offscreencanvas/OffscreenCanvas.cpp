#include "components/offscreencanvas/OffscreenCanvas.h"

#include "framework/Graphics.h"
#include "framework/Picture.h"
#include "framework/Window.h"

#include <cstdint>

namespace {

// (value × numerator) / denominator, truncated toward zero; 0 for no denominator.
Int32 Scaled(Int32 value, Int32 numerator, Int32 denominator)
{
    if (denominator == 0) {
        return 0;
    }
    return static_cast<Int32>(static_cast<std::int64_t>(value) * numerator / denominator);
}

} // namespace

void OffscreenCanvas::Event_Open()
{
    Initialize();
    Created.Raise(*this);
}

void OffscreenCanvas::Event_Paint(Graphics& g)
{
    PaintCanvas(g);
    itsShownVersion = IsOffscreenAveil ? OffscreenPicture->Version() : 0;
}

void OffscreenCanvas::CreateOffscreen(Int32 depth, bool useOldRenderer)
{
    ItsDepth = (depth == 1 || depth == 8 || depth == 16 || depth == 24) ? depth : 32;
    const bool fixed = ItsFixedWidth > 0 && ItsFixedHeight > 0;
    ItsWidth = fixed ? ItsFixedWidth : Width();
    ItsHeight = fixed ? ItsFixedHeight : Height();
    OffscreenPicture = Picture::New(ItsWidth, ItsHeight, ItsDepth);
    if (!OffscreenPicture) {
        OffscreenGraphics = nullptr;
        IsOffscreenAveil = false;
        ItsWidth = 0;
        ItsHeight = 0;
        ItsDepth = 0;
        return;
    }
    OffscreenGraphics = OffscreenPicture->Graphics();
    OffscreenGraphics->UseOldRenderer = useOldRenderer;
    IsOffscreenAveil = true;
    OffscreenCreated();
    PaintOffscreen();
    RefreshPicture(false);
}

void OffscreenCanvas::PaintOffscreen() {}

void OffscreenCanvas::RefreshPicture(bool updateNow)
{
    if (!IsOffscreenAveil || OffscreenPicture->Version() != itsShownVersion) {
        Refresh(false);
    }
    if (updateNow) {
        if (const auto window = Window()) {
            window->UpdateNow();
        }
    }
}

void OffscreenCanvas::DisposeOffscreen()
{
    ItsDepth = 0;
    ItsWidth = 0;
    ItsHeight = 0;
    OffscreenPicture = nullptr;
    OffscreenGraphics = nullptr;
    IsOffscreenAveil = false;
    OffscreenDisposed();
}

void OffscreenCanvas::Initialize() {}

String OffscreenCanvas::VersionInfo() const
{
    return "2012-05-03,1";
}

void OffscreenCanvas::OffscreenCreated() {}

void OffscreenCanvas::OffscreenDisposed() {}

bool OffscreenCanvas::RefOffscreenAvail() const
{
    return IsOffscreenAveil;
}

Int32 OffscreenCanvas::GetMouseLocalX() const
{
    return MouseX() - Left();
}

Int32 OffscreenCanvas::GetMouseLocalY() const
{
    return MouseY() - Top();
}

Int32 OffscreenCanvas::ScaledPosX(Int32 x) const
{
    return Scaled(x, ItsWidth, Width());
}

Int32 OffscreenCanvas::ScaledPosY(Int32 y) const
{
    return Scaled(y, ItsHeight, Height());
}

void OffscreenCanvas::PaintCanvas(Graphics& g)
{
    if (!IsOffscreenAveil) {
        g.ForeColor = RGB(255, 255, 255);
        g.FillRect(0, 0, Width(), Height());
    } else if (ItsWidth == Width() && ItsHeight == Height()) {
        g.DrawPicture(OffscreenPicture, 0, 0);
    } else {
        g.DrawPicture(OffscreenPicture, 0, 0, Width(), Height(), 0, 0, ItsWidth, ItsHeight);
    }
}

bool OffscreenCanvas::IsPointIn(Int32 x, Int32 y) const
{
    return x >= 0 && x < Width() && y >= 0 && y < Height();
}
