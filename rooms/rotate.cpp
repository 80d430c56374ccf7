#include "rooms/rotate.h"

#include <utility>

namespace brasset {

namespace {
// Column c, row w has seat index 6c + w, and column 5 - c, row 5 - w has
// 35 - (6c + w): the half turn pairs seat s with seat 35 - s.
void rotateRoom(RoomPlan& plan, int room) {
    for (int seat = 0; seat < kRoomSeats / 2; ++seat)
        std::swap(plan.captions[buttonIndex(room, seat)],
                  plan.captions[buttonIndex(room, kRoomSeats - 1 - seat)]);
}
} // namespace

RoomPlan rotateRooms(RoomPlan plan) {
    for (int room = 0; room < kRooms; ++room) {
        if (plan.visible[room])
            rotateRoom(plan, room);
    }
    return plan;
}

} // namespace brasset
