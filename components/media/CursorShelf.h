#pragma once
// The slots of the game's three cursors, asked for by number. A cursor that is not found is
// asked for again at every call; once found it is kept until the slots are released.

#include "framework/Types.h"

#include <array>
#include <functional>

class MouseCursor;

class CursorShelf {
public:
    static constexpr Int32 ButtonId = 168;
    static constexpr Int32 FieldId = 169;
    static constexpr Int32 SelectId = 170;

    // Where the cursors come from: the cursor of a number, or null.
    using Source = std::function<std::shared_ptr<MouseCursor>(Int32 id)>;
    explicit CursorShelf(Source source);

    // The cursor of a number from 168 to 170.
    std::shared_ptr<MouseCursor> Get(Int32 id);

    void Release();

    // The program's one shelf, behind the cursor accessors: it asks the application object's
    // resource fork, and gives null while there is none.
    static CursorShelf& Shared();

private:
    Source itsSource;
    std::array<std::shared_ptr<MouseCursor>, 3> itsSlots;
};
