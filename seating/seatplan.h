#pragma once
// The classroom: 35 seats in 5 columns of 7 rows, numbered column by column
// (seat index = 7 x column + row), row 0 next to the front podium.

#include <QString>
#include <array>

namespace quorlen {

inline constexpr int kColumns = 5;
inline constexpr int kRows = 7;
inline constexpr int kSeats = kColumns * kRows;

constexpr int seatIndex(int column, int row) {
    return kRows * column + row;
}

// The seat captions in seat-index order; an empty caption is an empty seat.
using SeatPlan = std::array<QString, kSeats>;

// Everything a classroom is: who sits where, and whether the podium stands
// at the back (below row 6) rather than at the front (above row 0).
struct Classroom {
    SeatPlan plan;
    bool podiumBack = false;
    bool operator==(const Classroom&) const = default;
};

} // namespace quorlen
