#pragma once
// Bringing the system up before the event loop runs, and releasing it after.

#include "framework/Types.h"

// In this order: the file types; the application object with the menu bar, registered with
// the layer; the application's menu handlers; the main window. Returns 0.
Int32 Startup();

// The steps of Startup.
void InitFileTypes();
void NewAppInstance();
void ApplicationAddMenuHandlers();
void MakeDefaultView();

// After the event loop: drops the cached media, the menu bar slot and the file types.
void ReleaseModules();
