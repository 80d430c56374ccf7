#pragma once
// Distributing a pasted list of candidates over the exam rooms.

#include "common/pastedlist.h"
#include "rooms/roomplan.h"

#include <QStringView>

namespace brasset {

// The order in which a room's seats are handed out: along the rows
// ("横排") or along the columns ("竖排"), in an S either way.
enum class Direction { Horizontal, Vertical };

constexpr double kFewestPersons = 20;
constexpr double kMostPersons = 36;
// What a persons-per-room value outside the range counts as.
constexpr double kFallbackPersons = 30;

// No arrangement places more names than the rooms have seats, so a pasted
// list needs to keep only this many of its entries (its count stays whole).
constexpr qsizetype kNamesUsed = kSeats;

// The number a text begins with: blanks and tabs skipped, an optional sign,
// ASCII digits and an optional "." with more digits, read the same whatever
// the desktop's language. A text that does not begin with such a number
// gives 0; exponents, hexadecimal, "inf" and "nan" are not numbers here, so
// the result is always finite. Very long numbers are read only as far as it
// takes to know they are huge.
double leadingNumber(QStringView text);

// The persons per room typed by the user: its leading number when that is
// from 20 to 36, fraction included, and 30 otherwise.
double personsPerRoom(QStringView text);

// How many rooms a list of `names` entries asks for at `persons` per room:
// none for an empty list, otherwise floor((names - 1) / persons) + 1 by real
// division, but never more than the eight rooms there are.
int roomCount(qsizetype names, double persons);

// The seats a room hands out at `persons` (20 to 36) per room: a
// fractional 20.5 fills 21.
int seatsPerRoom(double persons);

// The seats an arrangement of a list of `names` entries hands out: the
// rooms it uses times the seats each room hands out.
qsizetype seatsHandedOut(qsizetype names, double persons);

// The room seat that the seat of fill rank `rank` (0 to 35) is: lane
// rank / 6, step rank % 6 along the lane, every other lane reversed.
int fillSeat(int rank, Direction direction);

// Hands out the seats of fill rank below `persons` (20 to 36) in every room
// in use, room after room, one list entry per seat; a seat whose entry is
// missing stays empty. Entries that would fall beyond the eighth room are
// dropped. The rooms are not turned yet.
RoomPlan fillRooms(const common::PastedList& names, double persons, Direction direction);

// The arrangement as the user sees it: the filled rooms turned by 180
// degrees, so that each room's first name sits at its bottom-right seat.
RoomPlan arrangeRooms(const common::PastedList& names, double persons, Direction direction);

} // namespace brasset
