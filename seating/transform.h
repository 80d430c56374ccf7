#pragma once
// Whole-plan moves of the classroom: the half turn, the two mirrors and the
// four cyclic shifts. Each gives the plan as it stands afterwards; no caption
// is ever lost, duplicated or changed on the way. Moving the podium with the
// half turn is the window's part.

#include "seating/seatplan.h"

namespace quorlen {

// A half turn: seat k takes the caption of seat 34 - k.
SeatPlan rotate(const SeatPlan& plan);
// Rows mirrored front to back; row 3 stays.
SeatPlan flipUpDown(const SeatPlan& plan);
// Columns mirrored; column 2 stays.
SeatPlan flipLeftRight(const SeatPlan& plan);

// Every name one column or one row further, the line leaving at one edge
// coming back at the other. Up is towards the top of the screen, whichever
// end the podium is at.
SeatPlan shiftLeft(const SeatPlan& plan);
SeatPlan shiftRight(const SeatPlan& plan);
SeatPlan shiftUp(const SeatPlan& plan);
SeatPlan shiftDown(const SeatPlan& plan);

} // namespace quorlen
