#pragma once
// The top-level widget of a Window: an optional menu bar above the content area that holds
// the controls. Key presses, presses on the background, the close box and activation go to
// the Window.

#include <QWidget>

#include <memory>

class QMenuBar;
class QVBoxLayout;
class Window;

class WindowWidget : public QWidget {
public:
    explicit WindowWidget(Window& owner);

    // The window object is gone; events no longer reach it.
    void Forget();

    QWidget* Content() const;
    QMenuBar* MenuBarView() const;
    // Replaces the menu bar shown above the content area; nullptr shows none.
    void SetMenuBarView(QMenuBar* view);
    // The content area's size, and whether the user may change it within the bounds.
    void SetContentSize(QSize size, QSize minimum, QSize maximum, bool resizeable);
    // A primary-button press on the content area, in its coordinates.
    void BackgroundPressed(QPoint at);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Tab is a key the window's KeyDown receives, not a focus move.
    bool focusNextPrevChild(bool next) override;

private:
    std::shared_ptr<Window> Owner() const;

    Window* itsOwner;
    QVBoxLayout* itsLayout;
    QWidget* itsContent;
    QMenuBar* itsMenuBarView = nullptr;
};
