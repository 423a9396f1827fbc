#include "framework/qt/Conversions.h"

#include <QApplication>
#include <QFontInfo>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>

namespace {

// The family the toolkit draws Japanese in with this font: the font's own, or its fallback.
QString JapaneseFamily(const QFont& font)
{
    QTextLayout layout(QStringLiteral("日本語"), font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    return runs.isEmpty() ? QString() : runs.first().rawFont().familyName();
}

} // namespace

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
    // Digits and Latin letters after Japanese would be drawn in the Japanese font; with the Latin
    // family named first they look the same on every line.
    const QString latin = QFontInfo(font).family();
    const QString japanese = JapaneseFamily(font);
    if (!japanese.isEmpty() && japanese != latin) {
        font.setFamilies({latin, japanese});
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
