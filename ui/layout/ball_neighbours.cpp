#include "ui/layout/ball_neighbours.h"

#include <array>
#include <cstddef>
#include <cstdlib>
#include <tuple>

namespace zentrix::layout {

namespace {

struct Centre {
    int x = 0;
    int y = 0;
};

// In twips, doubled so that the centre of an odd-sized box stays whole.
Centre centreOf(int slot) {
    const TwipsRect box = ballBoxRect(slot);
    return {2 * box.left + box.width, 2 * box.top + box.height};
}

struct Step {
    int x = 0;
    int y = 0;
};

// The step each direction makes, in the order of `Direction`: up, down, left, right (the screen's
// y grows downwards).
constexpr std::array<Step, 4> kWays{{{0, -1}, {0, 1}, {-1, 0}, {1, 0}}};

}  // namespace

std::optional<int> neighbourSlot(int from, Direction direction, const ReachableSlots& reachable) {
    if (from < 0 || from >= kSlotCount) {
        return std::nullopt;
    }
    const Centre here = centreOf(from);
    std::optional<int> best;
    // Rows away, then distance across, then further left first.
    std::tuple<int, int, int> bestKey{};
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (slot == from || !reachable[static_cast<std::size_t>(slot)]) {
            continue;
        }
        const Centre there = centreOf(slot);
        const int dx = there.x - here.x;
        const int dy = there.y - here.y;
        // Ahead of the box, that way, however far across.
        const Step way = kWays[static_cast<std::size_t>(direction)];
        if (dx * way.x + dy * way.y <= 0) {
            continue;
        }
        const std::tuple<int, int, int> key{std::abs(dy), std::abs(dx), there.x};
        if (!best || key < bestKey) {
            best = slot;
            bestKey = key;
        }
    }
    return best;
}

}  // namespace zentrix::layout
