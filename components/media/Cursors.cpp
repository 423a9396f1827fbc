#include "components/media/Cursors.h"

#include "components/media/CursorShelf.h"

// clang-format off
std::shared_ptr<MouseCursor> ButtonCursor() { return CursorShelf::Shared().Get(CursorShelf::ButtonId); }
std::shared_ptr<MouseCursor> FieldCursor() { return CursorShelf::Shared().Get(CursorShelf::FieldId); }
std::shared_ptr<MouseCursor> SelectCursor() { return CursorShelf::Shared().Get(CursorShelf::SelectId); }
// clang-format on
