#include "seating/transform.h"

namespace quorlen {

namespace {
struct Seat {
    int column;
    int row;
};

// Builds the plan in which seat (c, r) holds what seat from(c, r) held, so
// that each move is stated once, as the seat it takes its caption from.
template <typename From> SeatPlan moved(const SeatPlan& plan, From from) {
    SeatPlan result;
    for (int column = 0; column < kColumns; ++column) {
        for (int row = 0; row < kRows; ++row) {
            const Seat source = from(column, row);
            result[seatIndex(column, row)] = plan[seatIndex(source.column, source.row)];
        }
    }
    return result;
}

constexpr int kLastColumn = kColumns - 1;
constexpr int kLastRow = kRows - 1;
} // namespace

SeatPlan rotate(const SeatPlan& plan) {
    return moved(plan, [](int c, int r) { return Seat{kLastColumn - c, kLastRow - r}; });
}

SeatPlan flipUpDown(const SeatPlan& plan) {
    return moved(plan, [](int c, int r) { return Seat{c, kLastRow - r}; });
}

SeatPlan flipLeftRight(const SeatPlan& plan) {
    return moved(plan, [](int c, int r) { return Seat{kLastColumn - c, r}; });
}

SeatPlan shiftLeft(const SeatPlan& plan) {
    return moved(plan, [](int c, int r) { return Seat{(c + 1) % kColumns, r}; });
}

SeatPlan shiftRight(const SeatPlan& plan) {
    return moved(plan, [](int c, int r) { return Seat{(c + kLastColumn) % kColumns, r}; });
}

SeatPlan shiftUp(const SeatPlan& plan) {
    return moved(plan, [](int c, int r) { return Seat{c, (r + 1) % kRows}; });
}

SeatPlan shiftDown(const SeatPlan& plan) {
    return moved(plan, [](int c, int r) { return Seat{c, (r + kLastRow) % kRows}; });
}

} // namespace quorlen
