#include "framework/qt/Conversions.h"

#include <QApplication>

QColor QColorOf(Color color)
{
    return QColor(color.Red, color.Green, color.Blue);
}

QFont QFontOf(const TextStyle& style)
{
    QFont font = QApplication::font();
    if (!style.TextFont.empty() && style.TextFont != "System") {
        font.setFamily(QString::fromStdString(style.TextFont));
    }
    if (style.TextSize > 0) {
        font.setPixelSize(qRound(style.TextSize));
    }
    font.setBold(style.Bold);
    font.setItalic(style.Italic);
    font.setUnderline(style.Underline);
    return font;
}

Qt::Alignment QAlignmentOf(Int32 align)
{
    switch (align) {
    case 2:
        return Qt::AlignHCenter;
    case 3:
        return Qt::AlignRight;
    default:
        return Qt::AlignLeft;
    }
}

QString DisplayTextOf(const String& text)
{
    return QString::fromStdString(text).replace("\r\n", "\n").replace('\r', '\n');
}
