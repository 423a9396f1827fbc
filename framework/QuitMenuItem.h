#pragma once
// The quit command: when no handler takes it, choosing it quits the application.

#include "framework/MenuItem.h"

class QuitMenuItem : public MenuItem {};
