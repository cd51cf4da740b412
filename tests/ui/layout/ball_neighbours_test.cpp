// The arrow keys' moves between the balls, worked out from where the ball boxes stand.
#include "ui/layout/ball_neighbours.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace zentrix::layout {
namespace {

ReachableSlots only(std::initializer_list<int> slots) {
    ReachableSlots reachable{};
    for (int slot : slots) {
        reachable[static_cast<std::size_t>(slot)] = true;
    }
    return reachable;
}

// The slots visited by pressing one key again and again, until it leads nowhere.
std::vector<int> walk(int from, Direction direction, const ReachableSlots& reachable) {
    std::vector<int> visited{from};
    for (auto next = neighbourSlot(from, direction, reachable); next && visited.size() < 30;
         next = neighbourSlot(*next, direction, reachable)) {
        visited.push_back(*next);
    }
    return visited;
}

// On a full heap the sideways keys run along the rows as the player sees them, then on to the
// nearest row with a ball further that way; up and down go to the next row, to the ball nearest
// across (the left one of two equally near). The next ball is a row of its own below the heap.
TEST(BallNeighbours, KeysFollowTheRowsOfAFullHeap) {
    ReachableSlots all{};
    all.fill(true);
    EXPECT_EQ(walk(0, Direction::Right, all), (std::vector<int>{0, 1, 2, 8, 15}));
    EXPECT_EQ(walk(5, Direction::Right, all), (std::vector<int>{5, 6, 3, 4, 7, 8, 15}));
    EXPECT_EQ(walk(10, Direction::Right, all), (std::vector<int>{10, 11, 12, 9, 13, 14, 15}));
    EXPECT_EQ(walk(19, Direction::Left, all), (std::vector<int>{19, 18, 17, 16, 10}));
    EXPECT_EQ(walk(22, Direction::Up, all), (std::vector<int>{22, 20, 16, 11, 5, 0}));
    EXPECT_EQ(walk(1, Direction::Down, all), (std::vector<int>{1, 3, 9, 17, 20, 22}));
    EXPECT_EQ(neighbourSlot(17, Direction::Right, all), 18);  // across the running sum
    EXPECT_EQ(neighbourSlot(22, Direction::Left, all), 20);
    EXPECT_EQ(neighbourSlot(22, Direction::Right, all), 21);
    EXPECT_FALSE(neighbourSlot(10, Direction::Left, all));
    EXPECT_FALSE(neighbourSlot(0, Direction::Up, all));
    EXPECT_FALSE(neighbourSlot(23, Direction::Up, all));

    // Only the balls that can take the focus count: a fresh deal frees 9, 20, 21 and 22.
    const ReachableSlots fresh = only({9, 20, 21, 22});
    EXPECT_EQ(walk(22, Direction::Up, fresh), (std::vector<int>{22, 20, 9}));
    EXPECT_EQ(neighbourSlot(21, Direction::Up, fresh), 9);
    EXPECT_EQ(neighbourSlot(9, Direction::Left, fresh), 20);  // nothing left of 9 in row 3
    EXPECT_FALSE(neighbourSlot(22, Direction::Up, only({22})));
}

// However the free balls lie, the arrow keys alone reach every one of them from any other.
TEST(BallNeighbours, EveryReachableBallCanBeReachedFromAnyOther) {
    std::uint32_t state = 12345;
    for (int round = 0; round < 400; ++round) {
        ReachableSlots reachable{};
        for (bool& r : reachable) {
            state = state * 1664525U + 1013904223U;
            r = ((state >> 16) & 1U) != 0;
        }
        for (int from = 0; from < kSlotCount; ++from) {
            if (!reachable[static_cast<std::size_t>(from)]) {
                continue;
            }
            ReachableSlots seen{};
            seen[static_cast<std::size_t>(from)] = true;
            std::vector<int> queue{from};
            while (!queue.empty()) {
                const int slot = queue.back();
                queue.pop_back();
                for (Direction d :
                     {Direction::Up, Direction::Down, Direction::Left, Direction::Right}) {
                    const auto next = neighbourSlot(slot, d, reachable);
                    if (next && !seen[static_cast<std::size_t>(*next)]) {
                        seen[static_cast<std::size_t>(*next)] = true;
                        queue.push_back(*next);
                    }
                }
            }
            EXPECT_EQ(seen, reachable) << "round " << round << " from " << from;
        }
    }
}

}  // namespace
}  // namespace zentrix::layout
