#pragma once
// Brasset's whole state: which of the eight exam rooms are in use and the
// names on their 6 x 6 seats. The window owns one RoomPlan value and renders
// it into its room frames and seat buttons; the room logic (arrange.h,
// rotate.h, export.h) computes the next value or the export from it, and
// nothing is read back from the widgets.

#include "common/roomtitle.h"

#include <QString>
#include <array>

namespace brasset {

constexpr int kRooms = 8;
constexpr int kRoomSide = 6;
constexpr int kRoomSeats = kRoomSide * kRoomSide;
// The seat buttons of all rooms, room after room.
constexpr int kSeats = kRooms * kRoomSeats;

// Seats are numbered column by column inside a room, and rooms follow one
// another in the button array.
constexpr int roomSeat(int column, int row) {
    return kRoomSide * column + row;
}
constexpr int buttonIndex(int room, int seat) {
    return kRoomSeats * room + seat;
}

struct RoomPlan {
    // A room is in use exactly when its frame is shown.
    std::array<bool, kRooms> visible{};
    // By button index; an empty caption is an empty seat.
    std::array<QString, kSeats> captions;

    bool operator==(const RoomPlan&) const = default;
};

// The title of room index r, as the frame and the export show it: "第1考场"
// for room index 0.
using common::roomTitle;

} // namespace brasset
