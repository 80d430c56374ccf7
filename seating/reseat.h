#pragma once
// Random seating: the names move among the seats that hold a name now and
// are not fixed; empty seats stay empty, fixed seats keep their names. Of the
// plans it tries, the one breaking the fewest rules is kept.
//
// The search draws from std::mt19937, whose numbers the C++ standard fixes,
// with bounded draws of its own (the standard library's distributions differ
// between libraries), and it stops after a fixed number of steps rather than
// after a time. So the same plan, rules and seed give the same result on every
// machine, fast or slow, Linux or Windows. The names are taken in sorted order
// first, so seating the same class again with the same seed gives the same
// plan whatever its order was before.

#include "seating/seatplan.h"

#include <cstdint>
#include <vector>

namespace quorlen {

struct Reseating {
    SeatPlan plan;
    std::vector<int> broken; // the rules the plan breaks, by index
};

Reseating reseat(const Classroom& room, std::uint32_t seed);

} // namespace quorlen
