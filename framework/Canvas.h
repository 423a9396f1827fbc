#pragma once
// A control that its owner paints and that takes the mouse. The primary button plays;
// a MouseDown that returns True asks for the MouseDrag moves and the MouseUp of that press.

#include "framework/Event.h"
#include "framework/RectControl.h"

class Graphics;
class Picture;

struct CanvasProperties {
    RectControlProperties Control{};
    // False: the background is never filled before Paint.
    bool EraseBackground = true;
};

class Canvas : public RectControl {
public:
    Canvas();
    ~Canvas() override;

    void SetProperties(const CanvasProperties& properties);

    // Drawn at the top-left corner before Paint; nullptr draws nothing.
    std::shared_ptr<Picture> Backdrop() const;
    void SetBackdrop(std::shared_ptr<Picture> picture);

    void Refresh(bool eraseBackground = true) override;

    // The owner's handlers, raised by the base versions of the Event_ operations.
    // Positions are in the canvas's own coordinates.
    Event<void(Canvas&)> Open;
    Event<void(Canvas&, Graphics&)> Paint;
    Event<bool(Canvas&, Int32, Int32)> MouseDown;
    Event<void(Canvas&, Int32, Int32)> MouseUp;
    Event<void(Canvas&, Int32, Int32)> MouseDrag;
    Event<void(Canvas&)> MouseEnter;
    Event<void(Canvas&)> MouseExit;

    void Event_Open() override;
    virtual void Event_Paint(Graphics& g);
    virtual bool Event_MouseDown(Int32 x, Int32 y);
    virtual void Event_MouseUp(Int32 x, Int32 y);
    virtual void Event_MouseDrag(Int32 x, Int32 y);
    virtual void Event_MouseEnter();
    virtual void Event_MouseExit();

private:
    friend class CanvasWidget;

    std::shared_ptr<Picture> itsBackdrop;
    bool itsEraseBackground = true;
    bool itsErasePending = true;
};
