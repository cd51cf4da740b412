#include "game/board.h"

#include <stdexcept>

namespace zentrix {

namespace {

// Which slots lie against each ball from the row below. The heap is drawn as three pyramids
// sharing their corners, so the table is written out rather than derived from positions.
constexpr std::array<std::int8_t, 2> kBlockers0{5, 6};
constexpr std::array<std::int8_t, 2> kBlockers1{3, 4};
constexpr std::array<std::int8_t, 2> kBlockers2{7, 8};
constexpr std::array<std::int8_t, 2> kBlockers3{9, 12};
constexpr std::array<std::int8_t, 2> kBlockers4{9, 13};
constexpr std::array<std::int8_t, 2> kBlockers5{10, 11};
constexpr std::array<std::int8_t, 2> kBlockers6{11, 12};
constexpr std::array<std::int8_t, 2> kBlockers7{13, 14};
constexpr std::array<std::int8_t, 2> kBlockers8{14, 15};
constexpr std::array<std::int8_t, 1> kBlockers10{16};
constexpr std::array<std::int8_t, 2> kBlockers11{16, 17};
constexpr std::array<std::int8_t, 1> kBlockers12{17};
constexpr std::array<std::int8_t, 1> kBlockers13{18};
constexpr std::array<std::int8_t, 2> kBlockers14{18, 19};
constexpr std::array<std::int8_t, 1> kBlockers15{19};
constexpr std::array<std::int8_t, 1> kBlockers16{20};
constexpr std::array<std::int8_t, 1> kBlockers17{20};
constexpr std::array<std::int8_t, 1> kBlockers18{21};
constexpr std::array<std::int8_t, 1> kBlockers19{21};

constexpr std::array<std::span<const std::int8_t>, kSlotCount> kBlockers{
    kBlockers0,  kBlockers1,  kBlockers2,  kBlockers3,  kBlockers4,  kBlockers5,
    kBlockers6,  kBlockers7,  kBlockers8,  {},          kBlockers10, kBlockers11,
    kBlockers12, kBlockers13, kBlockers14, kBlockers15, kBlockers16, kBlockers17,
    kBlockers18, kBlockers19, {},          {},          {},
};

constexpr std::array<int, kSlotCount> kRowPoints{
    500, 600, 500,                      // top row: 0 and 2 at the sides, 1 in the middle
    400, 400, 400, 400, 400, 400,       // 3..8
    300, 300, 300, 300, 300, 300, 300,  // 9..15
    200, 200, 200, 200,                 // 16..19
    100, 100,                           // 20, 21
    0,                                  // the next ball lies in no row
};

void checkSlot(int slot) {
    if (slot < 0 || slot >= kSlotCount) {
        throw std::out_of_range("slot number out of range");
    }
}

}  // namespace

int rowPoints(int slot) {
    checkSlot(slot);
    return kRowPoints[static_cast<std::size_t>(slot)];
}

std::span<const std::int8_t> blockersOf(int slot) {
    checkSlot(slot);
    return kBlockers[static_cast<std::size_t>(slot)];
}

}  // namespace zentrix
