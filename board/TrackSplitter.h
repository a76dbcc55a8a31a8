#pragma once
// Splits the straight copper tracks of a layout where the board's cuts and drillings interrupt
// them. A track is split at the first interrupter, in list order, that crosses it over its
// full width; each remaining part is split again in turn, until no interrupter crosses any.

#include "board/RectIndex.h"
#include "platform/Rect.h"

#include <vector>

namespace karvel {

class TBauteil;
class TBoard;

class TrackSplitter {
public:
    // The interrupting rectangles, normalised, in the order the board lists them.
    explicit TrackSplitter(std::vector<Rect> interrupters);

    // Replaces every horizontal or vertical track in the list by the pieces the interrupters
    // leave of it, keeping the order a split-and-start-again scan gives: the elements nothing
    // splits first, then the pieces as they were made. The pieces belong to the layout.
    void Split(std::vector<TBauteil*>& pieces, TBoard& layout) const;

private:
    struct Item;
    struct Outline;
    // The first interrupter that crosses a strip, as its index.
    std::optional<std::size_t> CrossingCut(const Rect& strip, bool horizontal) const;

    RectIndex interrupters_;
};

} // namespace karvel
