#pragma once
// The texts the windows show: the help window's pages and the about window's notice of rights.

#include "framework/Types.h"

constexpr Int32 HelpPageCount = 6;

// The text of help page 1 to HelpPageCount (empty for any other number).
const String& HelpPageText(Int32 page);

// The one-line notice of rights of the about window.
const String& AboutNoticeText();
