#include "framework/qt/KeyTranslation.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<int, char>, 16> kControlKeys{{
    {Qt::Key_Left, 28}, {Qt::Key_Right, 29}, {Qt::Key_Up, 30}, {Qt::Key_Down, 31},
    {Qt::Key_Return, 13}, {Qt::Key_Enter, 3}, {Qt::Key_Escape, 27}, {Qt::Key_Backspace, 8},
    {Qt::Key_Help, 5}, {Qt::Key_Delete, 127}, {Qt::Key_Home, 1}, {Qt::Key_End, 4},
    {Qt::Key_PageUp, 11}, {Qt::Key_PageDown, 12}, {Qt::Key_Tab, 9}, {Qt::Key_Backtab, 9},
}};

bool IsPrintable(const QString& text)
{
    if (text.isEmpty()) {
        return false;
    }
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control) {
            return false;
        }
    }
    return true;
}

}  // namespace

String KeyStringOf(const QKeyEvent& event)
{
    for (const auto& [key, code] : kControlKeys) {
        if (event.key() == key) {
            return String(1, code);
        }
    }
    return IsPrintable(event.text()) ? event.text().toStdString() : String();
}
