#pragma once

#include "rooms/roomplan.h"

namespace brasset {

// Turns every room in use by 180 degrees: the seat in column c, row w takes
// the name from column 5 - c, row 5 - w, empty seats included. Rooms not in
// use are left exactly as they are. Turning twice gives the plan back.
RoomPlan rotateRooms(RoomPlan plan);

} // namespace brasset
