#pragma once
// Widget tests: real Qt events on the layer's real widgets, under the offscreen platform.

#include "framework/Application.h"
#include "framework/Window.h"
#include "framework/qt/LayerAccess.h"
#include "framework/qt/WindowWidget.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

// Leaves no window, application object or pending deletion to the next test.
class UiTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        WindowAccess::ReleaseAll();
        RuntimeRegisterAppObject(nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static void ProcessEvents() { QCoreApplication::processEvents(); }
};

// A window that records what reaches it.
class RecordingWindow : public Window {
public:
    std::vector<String> keys;
    std::vector<bool> cancelCloseArgs;
    bool cancelClose = false;
    Int32 closes = 0;
    Int32 opens = 0;
    std::function<void()> enableRule;
    std::function<void()> onOpen;

    bool Event_KeyDown(const String& key) override
    {
        keys.push_back(key);
        return false;
    }
    bool Event_CancelClose(bool appQuitting) override
    {
        cancelCloseArgs.push_back(appQuitting);
        return cancelClose;
    }
    void Event_Close() override { ++closes; }
    void Event_Open() override
    {
        ++opens;
        if (onOpen) {
            onOpen();
        }
    }
    void Event_EnableMenuItems() override
    {
        if (enableRule) {
            enableRule();
        }
    }
};

inline std::shared_ptr<RecordingWindow> NewRecordingWindow(const WindowProperties& properties = {})
{
    auto window = std::make_shared<RecordingWindow>();
    window->SetProperties(properties);
    window->Constructor();
    return window;
}

inline WindowWidget* WidgetOf(const Window& window)
{
    return WindowAccess::Widget(window);
}
