#include "ui/layout/ball_neighbours.h"

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
        bool thatWay = false;
        switch (direction) {
            case Direction::Up:
                thatWay = dy < 0;
                break;
            case Direction::Down:
                thatWay = dy > 0;
                break;
            case Direction::Left:
                thatWay = dx < 0;
                break;
            case Direction::Right:
                thatWay = dx > 0;
                break;
        }
        if (!thatWay) {
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
