#pragma once
// What an element asks of the board it lies on. Boards implement it; elements hold a plain
// pointer to it (their parent) and never see the board class, which lies above them.

#include "elements/ViewState.h"
#include "platform/Region.h"

#include <optional>

namespace karvel {

class BoardContext {
public:
    // The clip region of the drawing pass in progress, which fill bitmaps respect.
    virtual std::optional<Region> ClipRegion() const = 0;
    // Library pages draw components without their board's side rules.
    virtual bool IsLibraryPage() const = 0;
    // The program-wide view switches, language and folders the board draws with.
    virtual const ViewState& View() const = 0;

protected:
    BoardContext() = default;
    BoardContext(const BoardContext&) = default;
    BoardContext& operator=(const BoardContext&) = default;
    ~BoardContext() = default;
};

} // namespace karvel
