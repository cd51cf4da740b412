// The arrow keys' moves between the balls, worked out from where the ball boxes stand.
#include "ui/layout/ball_neighbours.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <initializer_list>
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

ReachableSlots all() {
    ReachableSlots reachable{};
    reachable.fill(true);
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
// nearest row that has a ball further that way, and stop where none has.
TEST(BallNeighbours, SidewaysKeysRunAlongTheRowsOfAFullHeap) {
    EXPECT_EQ(walk(0, Direction::Right, all()), (std::vector<int>{0, 1, 2, 8, 15}));
    EXPECT_EQ(walk(5, Direction::Right, all()), (std::vector<int>{5, 6, 3, 4, 7, 8, 15}));
    EXPECT_EQ(walk(10, Direction::Right, all()), (std::vector<int>{10, 11, 12, 9, 13, 14, 15}));
    EXPECT_EQ(walk(19, Direction::Left, all()), (std::vector<int>{19, 18, 17, 16, 10}));
    // The ends of the widest row: nothing lies further out in any row.
    EXPECT_FALSE(neighbourSlot(10, Direction::Left, all()));
    EXPECT_FALSE(neighbourSlot(15, Direction::Right, all()));
    // Across the gap in row 4 where the running sum is shown.
    EXPECT_EQ(neighbourSlot(17, Direction::Right, all()), 18);
    // From the last ball of a row to the nearest row that has a ball further that way.
    EXPECT_EQ(neighbourSlot(21, Direction::Right, all()), 19);
    EXPECT_EQ(neighbourSlot(20, Direction::Left, all()), 16);
    // The next ball sits below the heap: sideways from it leads to the bottom row.
    EXPECT_EQ(neighbourSlot(22, Direction::Left, all()), 20);
    EXPECT_EQ(neighbourSlot(22, Direction::Right, all()), 21);
}

// Up and down go to the next row that way, to the ball nearest across; balls half a ball to
// either side are equally near, and the left one is taken.
TEST(BallNeighbours, UpAndDownGoToTheNearestBallOfTheNextRow) {
    EXPECT_EQ(walk(22, Direction::Up, all()), (std::vector<int>{22, 20, 16, 11, 5, 0}));
    EXPECT_EQ(walk(1, Direction::Down, all()), (std::vector<int>{1, 3, 9, 17, 20, 22}));
    // 16 lies a pixel nearer to 11 than to 10, 3 six pixels nearer to 9 than to 12.
    EXPECT_EQ(neighbourSlot(16, Direction::Up, all()), 11);
    EXPECT_EQ(neighbourSlot(3, Direction::Down, all()), 9);
    EXPECT_EQ(neighbourSlot(9, Direction::Down, all()), 17);
    // 11 lies exactly between 5 and 6.
    EXPECT_EQ(neighbourSlot(11, Direction::Up, all()), 5);
    EXPECT_EQ(neighbourSlot(21, Direction::Up, all()), 18);
    EXPECT_EQ(neighbourSlot(15, Direction::Up, all()), 8);
    EXPECT_FALSE(neighbourSlot(0, Direction::Up, all()));
    EXPECT_FALSE(neighbourSlot(22, Direction::Down, all()));
}

// Only the balls that can take the focus count: rows without one are passed over.
TEST(BallNeighbours, MovesPassOverBallsThatCannotTakeTheFocus) {
    // A fresh deal where only 9, 20, 21 and the next ball are free.
    const ReachableSlots fresh = only({9, 20, 21, 22});
    EXPECT_EQ(walk(22, Direction::Up, fresh), (std::vector<int>{22, 20, 9}));
    EXPECT_EQ(neighbourSlot(20, Direction::Right, fresh), 21);
    EXPECT_EQ(neighbourSlot(21, Direction::Up, fresh), 9);
    EXPECT_EQ(neighbourSlot(9, Direction::Down, fresh), 20);
    // Nothing in row 3 lies left of 9 now, so the nearest row with a ball that way is row 5.
    EXPECT_EQ(neighbourSlot(9, Direction::Left, fresh), 20);
    EXPECT_FALSE(neighbourSlot(9, Direction::Up, fresh));
    EXPECT_FALSE(neighbourSlot(22, Direction::Up, only({22})));
    EXPECT_FALSE(neighbourSlot(23, Direction::Up, all()));
}

// However the free balls lie, the arrow keys alone reach every one of them from any other.
TEST(BallNeighbours, EveryReachableBallCanBeReachedFromAnyOther) {
    std::uint32_t state = 12345;
    const auto nextBit = [&state] {
        state = state * 1664525U + 1013904223U;
        return (state >> 16) & 1U;
    };
    for (int round = 0; round < 400; ++round) {
        ReachableSlots reachable{};
        for (bool& r : reachable) {
            r = nextBit() != 0;
        }
        for (int from = 0; from < kSlotCount; ++from) {
            if (!reachable[static_cast<std::size_t>(from)]) {
                continue;
            }
            std::array<bool, kSlotCount> seen{};
            std::deque<int> queue{from};
            seen[static_cast<std::size_t>(from)] = true;
            while (!queue.empty()) {
                const int slot = queue.front();
                queue.pop_front();
                for (Direction d :
                     {Direction::Up, Direction::Down, Direction::Left, Direction::Right}) {
                    const auto next = neighbourSlot(slot, d, reachable);
                    if (next) {
                        ASSERT_TRUE(reachable[static_cast<std::size_t>(*next)]);
                        if (!seen[static_cast<std::size_t>(*next)]) {
                            seen[static_cast<std::size_t>(*next)] = true;
                            queue.push_back(*next);
                        }
                    }
                }
            }
            EXPECT_EQ(seen, reachable) << "round " << round << " from " << from;
        }
    }
}

}  // namespace
}  // namespace zentrix::layout
