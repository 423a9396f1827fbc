#pragma once
// What the game's windows share: the single instance of a window class, and fixed-size
// window properties.

#include "framework/Window.h"

#include <memory>

// The open window of class T, or a new one, constructed.
template <class T>
std::shared_ptr<T> ImplicitWindow()
{
    auto window = GetImplicitWindow<T>();
    if (!window) {
        window = std::make_shared<T>();
        window->Constructor();
    }
    return window;
}

// The properties with a content area of exactly width by height: no resizing, no maximise
// button.
inline WindowProperties FixedSize(Int32 width, Int32 height, WindowProperties properties)
{
    properties.Width = properties.MinWidth = properties.MaxWidth = width;
    properties.Height = properties.MinHeight = properties.MaxHeight = height;
    properties.Resizeable = false;
    properties.MaximizeButton = false;
    return properties;
}
