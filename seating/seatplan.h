#pragma once
// The classroom: 35 seats in 5 columns of 7 rows, numbered column by column
// (seat index = 7 x column + row), row 0 next to the front podium.

#include <QString>
#include <array>
#include <vector>

namespace quorlen {

inline constexpr int kColumns = 5;
inline constexpr int kRows = 7;
inline constexpr int kSeats = kColumns * kRows;

constexpr int seatIndex(int column, int row) {
    return kRows * column + row;
}

// The seat captions in seat-index order; an empty caption is an empty seat.
using SeatPlan = std::array<QString, kSeats>;

constexpr int columnOf(int seat) {
    return seat / kRows;
}
constexpr int rowOf(int seat) {
    return seat % kRows;
}

// What the random seating keeps to. Apart: never side by side, one behind the
// other or diagonal. Together: side by side in one row. Front: in the two
// rows nearest the podium, whichever end it stands at (`second` unused).
enum class RuleKind { Apart, Together, Front };
struct Rule {
    RuleKind kind;
    QString first;
    QString second;
    bool operator==(const Rule&) const = default;
};

// Everything a classroom is: who sits where, whether the podium stands at
// the back (below row 6) rather than at the front (above row 0), the seats
// marked fixed and the rules. A mark belongs to the place, not to the name:
// moves and patterns carry the names past it.
struct Classroom {
    SeatPlan plan;
    bool podiumBack = false;
    std::array<bool, kSeats> fixed{};
    std::vector<Rule> rules;
    bool operator==(const Classroom&) const = default;
};

} // namespace quorlen
