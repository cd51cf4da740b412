// The heap: slot numbering, rows and which ball blocks which.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace zentrix {

inline constexpr int kSlotCount = 23;       // Picture1(0..22)
inline constexpr int kBoardSlotCount = 22;  // slots 0..21 form the heap
inline constexpr int kNextBallSlot = 22;    // the next ball waits below the heap
inline constexpr int kTarget = 11;          // a set is removed when its values add up to this
inline constexpr int kMaxValue = 10;        // balls are numbered 1..10
inline constexpr int kBallsPerValue = 6;    // a round's supply holds six balls of each value

// Location points earned by a ball removed from `slot` (0..21): 100 for the bottom row up to 600
// for the top of the middle pyramid. The next-ball slot belongs to no row and returns 0.
int rowPoints(int slot);

// The slots that must all be empty before the ball in `slot` is free. Fixed by the heap's
// drawing, not computed from positions; the next-ball slot has none.
std::span<const std::int8_t> blockersOf(int slot);

}  // namespace zentrix
