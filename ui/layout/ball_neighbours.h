// Which ball the keyboard focus moves to when the player presses an arrow key, worked out from
// where the ball boxes stand, so that every front end moves the focus the same way.
#pragma once

#include <array>
#include <optional>

#include "ui/layout/form1_layout.h"

namespace zentrix::layout {

enum class Direction { Up, Down, Left, Right };

// Which slots can take the focus now: the free balls on screen.
using ReachableSlots = std::array<bool, kSlotCount>;

// The slot the focus moves to from `from` in `direction`, or nothing when no reachable ball lies
// that way.
//
// The heap is drawn in rows, each offset from the next by half a ball, so a ball has no neighbour
// straight above or below it. A move goes to the nearest row that way which has a reachable ball
// there, and within that row to the ball whose centre is nearest across (Up, Down) or nearest on
// that side (Left, Right); a move sideways stays in its own row while the row has a ball that way.
// Ties go to the ball further left. The next-ball slot is a row of its own below the heap.
std::optional<int> neighbourSlot(int from, Direction direction, const ReachableSlots& reachable);

}  // namespace zentrix::layout
