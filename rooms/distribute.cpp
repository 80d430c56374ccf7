#include "rooms/distribute.h"

#include "common/blank.h"
#include "rooms/rotate.h"

#include <QtGlobal>
#include <cmath>

namespace brasset {

namespace {
using common::isBlank;

int digitAt(QStringView text, qsizetype i) {
    if (i >= text.size())
        return -1;
    const char16_t c = text[i].unicode();
    return c >= u'0' && c <= u'9' ? c - u'0' : -1;
}

// Past this the value is out of every range the program asks about, so
// further digits are read but no longer counted; that keeps it finite.
constexpr double kHuge = 1e15;
// Fraction digits beyond what a double holds change nothing.
constexpr double kFinestScale = 1e17;
} // namespace

double leadingNumber(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    double sign = 1;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        sign = text[i] == QLatin1Char('-') ? -1 : 1;
        ++i;
    }
    bool anyDigit = false;
    double whole = 0;
    for (int d; (d = digitAt(text, i)) >= 0; ++i) {
        anyDigit = true;
        if (whole < kHuge)
            whole = whole * 10 + d;
    }
    double fraction = 0;
    double scale = 1;
    if (i < text.size() && text[i] == QLatin1Char('.')) {
        for (int d; (d = digitAt(text, ++i)) >= 0;) {
            anyDigit = true;
            if (scale < kFinestScale) {
                fraction = fraction * 10 + d;
                scale *= 10;
            }
        }
    }
    return anyDigit ? sign * (whole + fraction / scale) : 0;
}

double personsPerRoom(QStringView text) {
    const double value = leadingNumber(text);
    return value < kFewestPersons || value > kMostPersons ? kFallbackPersons : value;
}

int roomCount(qsizetype names, double persons) {
    Q_ASSERT(persons >= kFewestPersons && persons <= kMostPersons);
    if (names <= 0)
        return 0;
    const double rooms = std::floor(double(names - 1) / persons) + 1;
    return rooms < kRooms ? int(rooms) : kRooms;
}

int seatsPerRoom(double persons) {
    return int(std::ceil(persons));
}

qsizetype seatsHandedOut(qsizetype names, double persons) {
    return qsizetype(roomCount(names, persons)) * seatsPerRoom(persons);
}

int fillSeat(int rank, Direction direction) {
    const int lane = rank / kRoomSide;
    const int step = rank % kRoomSide;
    // Odd lanes run back, so the order snakes from one lane into the next.
    const int along = lane % 2 == 0 ? step : kRoomSide - 1 - step;
    return direction == Direction::Horizontal ? roomSeat(along, lane) : roomSeat(lane, along);
}

RoomPlan fillRooms(const common::PastedList& names, double persons, Direction direction) {
    RoomPlan plan;
    const int rooms = roomCount(names.count, persons);
    const auto known = qsizetype(names.entries.size());
    qsizetype next = 0;
    for (int room = 0; room < rooms; ++room) {
        for (int rank = 0; rank < seatsPerRoom(persons); ++rank, ++next) {
            if (next < known)
                plan.captions[buttonIndex(room, fillSeat(rank, direction))] = names.entries[next];
        }
        plan.visible[room] = true;
    }
    return plan;
}

RoomPlan arrangeRooms(const common::PastedList& names, double persons, Direction direction) {
    return rotateRooms(fillRooms(names, persons, direction));
}

} // namespace brasset
