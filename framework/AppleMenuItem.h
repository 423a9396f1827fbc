#pragma once
// The about command. Here it stays in the menu it was appended to.

#include "framework/MenuItem.h"

class AppleMenuItem : public MenuItem {};
