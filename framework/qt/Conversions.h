#pragma once
// The layer's values as Qt takes them.

#include "framework/Color.h"
#include "framework/TextStyle.h"

#include <QColor>
#include <QFont>
#include <QString>

QColor QColorOf(Color color);
QFont QFontOf(const TextStyle& style);
// 0 and 1: left, 2: centre, 3: right.
Qt::Alignment QAlignmentOf(Int32 align);
// Lines ending in CR, LF or CR LF, as lines ending in LF.
QString DisplayTextOf(const String& text);
