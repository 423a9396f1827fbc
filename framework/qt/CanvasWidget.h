#pragma once
// The widget of a Canvas: paints the backdrop and the canvas's Paint, and turns primary-button
// presses into MouseDown, and, for a press whose MouseDown answered True, MouseDrag and MouseUp.

#include <QWidget>

#include <memory>

class Canvas;

class CanvasWidget : public QWidget {
public:
    explicit CanvasWidget(Canvas& owner);

    // The canvas is gone; events no longer reach it.
    void Forget();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    std::shared_ptr<Canvas> Owner() const;

    Canvas* itsOwner;
    bool itsTracking = false;
};
