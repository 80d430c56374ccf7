#pragma once
// The exam seating patterns: a pasted candidate list laid out over the
// classroom in an S-shaped order, along the rows or down the columns, using
// all 7 rows or only the front 6.

#include "seating/seatplan.h"

#include <QString>
#include <vector>

namespace quorlen {

enum class SnakeFamily { Rows, Columns };
enum class SnakeDirection { Forward, Reverse };

struct SeatingPattern {
    SnakeFamily family;
    int rows; // 6 or 7
    // A reverse pattern fills as its forward twin and is then turned
    // round with the podium, so the first candidate sits at the back.
    SnakeDirection direction;
};

// The seats in the order they are filled, 5 x rows of them. Both snakes
// start at the top-left seat and turn at every edge: even rows run left to
// right and odd rows back, even columns run down and odd columns up from
// the last row in use.
std::vector<int> fillOrder(SnakeFamily family, int rows);

// A fresh plan with candidate p on the p-th seat of the fill order. An
// empty candidate leaves its seat empty without moving the others up;
// candidates beyond the last seat of the pattern are not placed.
SeatPlan filledPlan(SnakeFamily family, int rows, const std::vector<QString>& candidates);

} // namespace quorlen
