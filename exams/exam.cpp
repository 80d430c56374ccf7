#include "exams/exam.h"

#include "common/version.h"

namespace exams {

Place seatPlace(const Room& room, Fill fill, int seat) {
    // Lanes are the rows (横排) or the columns (竖排), counted from the
    // front; every other lane runs back, so the order snakes.
    const int laneLength = fill == Fill::Rows ? room.columns : room.rows;
    if (laneLength <= 0 || seat < 0)
        return {-1, -1}; // a seat the room does not have: every caller skips it
    const int lane = seat / laneLength;
    const int step = seat % laneLength;
    const int along = lane % 2 == 0 ? step : laneLength - 1 - step;
    const Place filled = fill == Fill::Rows ? Place{lane, along} : Place{along, lane};
    // Turned by half a circle: the first seat at the bottom right.
    return {room.rows - 1 - filled.row, room.columns - 1 - filled.column};
}

QString examNumber(const QString& prefix, int room, int roomCount, int seat) {
    const int roomDigits = roomCount >= 100 ? 3 : 2;
    return prefix + QStringLiteral("%1").arg(room + 1, roomDigits, 10, QLatin1Char('0')) +
           QStringLiteral("%1").arg(seat + 1, 2, 10, QLatin1Char('0'));
}

std::vector<SeatOf> seatsOf(const Seating& seating, std::size_t candidates) {
    std::vector<SeatOf> seats(candidates);
    for (std::size_t room = 0; room < seating.seats.size(); ++room)
        for (std::size_t seat = 0; seat < seating.seats[room].size(); ++seat)
            if (const int who = seating.seats[room][seat];
                who >= 0 && std::size_t(who) < candidates)
                seats[std::size_t(who)] = {int(room), int(seat)};
    return seats;
}

std::vector<QString> examNumbers(const Exam& exam) {
    const auto& candidates = exam.list.candidates;
    const std::vector<SeatOf> seats = seatsOf(exam.seating, candidates.size());
    std::vector<QString> numbers(candidates.size());
    const int roomCount = int(exam.seating.rooms.size());
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (!candidates[i].examNo.isEmpty())
            numbers[i] = candidates[i].examNo;
        else if (seats[i].room >= 0)
            numbers[i] = examNumber(exam.settings.prefix, seats[i].room, roomCount, seats[i].seat);
    }
    return numbers;
}

QString programVersion() {
    return common::programVersion();
}

QString roomTitle(const Seating& seating, int room) {
    const QString title = roomTitle(room);
    const QString location =
        room < int(seating.rooms.size()) ? seating.rooms[std::size_t(room)].location : QString();
    return location.isEmpty() ? title : title + QLatin1Char(' ') + location;
}

} // namespace exams
