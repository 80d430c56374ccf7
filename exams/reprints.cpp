// What to print again after a late change: the printouts of the rooms,
// desks and lists whose seats changed.

#include "exams/outputs.h"

#include <QHash>
#include <algorithm>

namespace exams {

QStringList printoutsToRedo(const Exam& before, const Exam& after) {
    QStringList lines;
    const std::size_t roomCount = std::max(before.seating.seats.size(), after.seating.seats.size());
    const auto at = [](const Seating& seating, std::size_t room, std::size_t seat) {
        return room < seating.seats.size() && seat < seating.seats[room].size()
                   ? seating.seats[room][seat]
                   : -1;
    };
    for (std::size_t r = 0; r < roomCount; ++r) {
        std::size_t seats = 0;
        if (r < before.seating.seats.size())
            seats = before.seating.seats[r].size();
        if (r < after.seating.seats.size())
            seats = std::max(seats, after.seating.seats[r].size());
        for (std::size_t s = 0; s < seats; ++s)
            if (at(before.seating, r, s) != at(after.seating, r, s)) {
                lines << roomTitle(int(r)) + QStringLiteral("：门贴、签到表");
                break;
            }
    }
    const auto& people = after.list.candidates;
    const std::vector<SeatOf> seatBefore = seatsOf(before.seating, people.size());
    const std::vector<SeatOf> seatAfter = seatsOf(after.seating, people.size());
    std::vector<QString> numberBefore = examNumbers(before);
    numberBefore.resize(people.size());
    const std::vector<QString> numberAfter = examNumbers(after);
    QHash<QString, int> sameName;
    for (const Candidate& candidate : people)
        ++sameName[candidate.name];
    QStringList desks;
    for (std::size_t i = 0; i < people.size(); ++i) {
        const bool wasHere = i < before.list.candidates.size();
        if (seatAfter[i].room < 0)
            continue; // nobody's desk to label
        if (wasHere && seatBefore[i] == seatAfter[i] && numberBefore[i] == numberAfter[i])
            continue;
        desks << (sameName[people[i].name] > 1
                      ? QStringLiteral("%1（%2）").arg(people[i].name, people[i].className)
                      : people[i].name);
    }
    if (!desks.isEmpty())
        lines << QStringLiteral("桌贴：") + desks.join(QStringLiteral("、"));
    if (!lines.isEmpty())
        lines << QStringLiteral("按班级总表") << QStringLiteral("工作簿");
    return lines;
}

} // namespace exams
