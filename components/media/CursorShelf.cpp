#include "components/media/CursorShelf.h"

#include "framework/Application.h"
#include "framework/ResourceFork.h"

#include <utility>

CursorShelf::CursorShelf(Source source) : itsSource(std::move(source)) {}

std::shared_ptr<MouseCursor> CursorShelf::Get(Int32 id)
{
    std::shared_ptr<MouseCursor>& cursor = itsSlots.at(size_t(id - ButtonId));
    if (!cursor) {
        cursor = itsSource(id);
    }
    return cursor;
}

void CursorShelf::Release()
{
    for (auto& cursor : itsSlots) {
        cursor = nullptr;
    }
}

CursorShelf& CursorShelf::Shared()
{
    // Never destroyed, like the other shelves: ReleaseMedia() empties it in time.
    static CursorShelf* const shelf = new CursorShelf([](Int32 id) -> std::shared_ptr<MouseCursor> {
        const Application* app = GetAppObject();
        const auto fork = app ? app->ResourceFork() : nullptr;
        return fork ? fork->GetCursor(id) : nullptr;
    });
    return *shelf;
}
