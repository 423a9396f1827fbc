#pragma once
// A control with a place on the window. Positions count from the top-left corner of the
// window's content area, also for a control shown on a page of a tab panel.

#include "framework/Control.h"

class MouseCursor;

// The properties structs are filled with designated initialisers; every member has a
// default initialiser, so any may be left out.
struct RectControlProperties {
    Int32 Left = 0;
    Int32 Top = 0;
    Int32 Width = 100;
    Int32 Height = 100;
    bool Visible = true;
    bool Enabled = true;
    // The tool tip.
    String HelpTag{};
    // The name of a TabPanel of the window, added before, and the page (from 1) of it that
    // shows the control; page 0 shows it on every page.
    String InitialParent{};
    Int32 TabPanelIndex = 0;
};

class RectControl : public Control {
public:
    ~RectControl() override;

    Int32 Left() const;
    void SetLeft(Int32 left);
    Int32 Top() const;
    void SetTop(Int32 top);
    Int32 Width() const;
    void SetWidth(Int32 width);
    Int32 Height() const;
    void SetHeight(Int32 height);
    bool Visible() const;
    void SetVisible(bool visible);
    bool Enabled() const;
    void SetEnabled(bool enabled);

    // The pointer in window coordinates (content area).
    Int32 MouseX() const;
    Int32 MouseY() const;

    // Schedules a repaint of the whole control; eraseBackground first fills it with the
    // window's background.
    virtual void Refresh(bool eraseBackground = true);

    // nullptr: the default arrow.
    std::shared_ptr<::MouseCursor> MouseCursor() const;
    void SetMouseCursor(std::shared_ptr<::MouseCursor> cursor);

protected:
    RectControl();
    void ApplyProperties(const RectControlProperties& properties);

private:
    friend struct ControlAccess;
    struct Impl;

    // Shows control on a page of this one (from 1; 0 every page), when this control has pages
    // (RectControlProperties::InitialParent names it); others ignore it.
    virtual void Host(RectControl& control, Int32 page);
    void UpdateGeometry();
    void UpdateShown();

    std::unique_ptr<Impl> itsImpl;
};
