// The room arrangement of any pasted list at any persons per room: the rooms
// in use are the first ones, at most eight; every placed name is a line of the
// list, in the list's order along each room's S; the seats beyond the persons
// per room stay empty; and keeping only the lines the rooms can take changes
// nothing.

#include "arrange.h"
#include "fuzzcheck.h"
#include "rotate.h"

using namespace brasset;

namespace {
void arrangementFollowsTheList(const common::PastedList& names, double persons,
                               Direction direction) {
    const RoomPlan plan = fillRooms(names, persons, direction);
    const int rooms = roomCount(names.count, persons);
    qsizetype next = 0;
    qsizetype placed = 0;
    for (int room = 0; room < kRooms; ++room) {
        FUZZ_CHECK(plan.visible[room] == (room < rooms));
        std::array<bool, kRoomSeats> handedOut{};
        for (int rank = 0; rank < kRoomSeats; ++rank) {
            const int seat = fillSeat(rank, direction);
            FUZZ_CHECK(seat >= 0 && seat < kRoomSeats && !handedOut[seat]);
            handedOut[seat] = true;
            const QString& caption = plan.captions[buttonIndex(room, seat)];
            if (room >= rooms || rank >= persons) {
                FUZZ_CHECK(caption.isEmpty());
                continue;
            }
            const QString expected = next < names.count ? names.entries[next] : QString();
            FUZZ_CHECK(caption == expected);
            placed += next < names.count ? 1 : 0;
            ++next;
        }
    }
    FUZZ_CHECK(placed <= kSeats);
    FUZZ_CHECK(placed == std::min<qsizetype>(names.count, next));
    // A name is left out only when all eight rooms are full.
    if (rooms < kRooms)
        FUZZ_CHECK(placed == names.count);

    // What the user sees: every room in use turned round, once.
    const RoomPlan shown = arrangeRooms(names, persons, direction);
    FUZZ_CHECK(shown == rotateRooms(plan));
    FUZZ_CHECK(rotateRooms(shown) == plan);
}
} // namespace

// The input is a direction byte, the persons-per-room text up to a line feed,
// then the pasted text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const Direction direction = data[0] & 1 ? Direction::Vertical : Direction::Horizontal;
    const QByteArray rest = fuzzBytes(data + 1, size - 1);
    const qsizetype lineEnd = rest.indexOf('\n');
    const QString personsText = QString::fromUtf8(rest.left(lineEnd < 0 ? 0 : lineEnd));
    const QString text = QString::fromUtf8(rest.mid(lineEnd + 1));
    const double persons = personsPerRoom(personsText);

    const common::PastedList all = common::cutPastedList(text);
    arrangementFollowsTheList(all, persons, direction);
    const common::PastedList used = common::cutPastedList(text, kNamesUsed);
    FUZZ_CHECK(arrangeRooms(used, persons, direction) == arrangeRooms(all, persons, direction));
    return 0;
}
