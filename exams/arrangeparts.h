#pragma once
// The parts arrange() is made of, one file a concern: rooms and balancing
// (roombalance.cpp), the plain orders (orders.cpp) and keeping classmates
// apart (mixing.cpp). Not for callers outside the exams folder: arrange.h is.

#include "common/draw.h"
#include "exams/exam.h"

#include <QString>
#include <vector>

namespace exams::detail {

// The seats of a room of rows x columns, none when either is below 1;
// counted wide, so that no size of room overflows.
inline long long seatsIn(int rows, int columns) {
    return rows < 1 || columns < 1 ? 0 : (long long)rows * columns;
}
inline long long seatsIn(const Room& room) {
    return seatsIn(room.rows, room.columns);
}

// The examination's random numbers: those of Quorlen's draws but throwing
// away the lowest draws (see draw.h), as every seed handed out expects.
inline common::Draw examDraw(std::uint32_t seed) {
    return common::Draw(seed, common::Draw::Rejects::Lowest);
}

// ---- rooms and balancing

// How many candidates each room seats: every room filled before the next,
// or balanced: sizes differ by at most one (larger first), except rooms too
// small to take their share, which are full.
std::vector<int> roomCounts(const std::vector<Room>& rooms, int candidates, bool fullRooms);

// ---- orders

// Deals `order` to the rooms, room after room.
std::vector<std::vector<int>> dealInOrder(const std::vector<int>& order,
                                          const std::vector<int>& counts);
// By class, then student number, in the order every output lists them.
std::vector<int> byClassOrder(const CandidateList& list);
// Highest score first; candidates without a number in that column last.
std::vector<int> byColumnOrder(const CandidateList& list, int column);

// ---- mixing

// The seats of each room, classmates kept apart as far as the search finds.
std::vector<std::vector<int>> mixed(const CandidateList& list, const Settings& settings,
                                    const Seating& seating, const std::vector<int>& counts);
// Why classmates still sit together: the classes larger than the seats
// that can keep them apart, else the general reason.
QString whyAdjacent(const CandidateList& list, const Seating& seating, const Settings& settings);

} // namespace exams::detail
