// arrange(): the rooms the settings give, the order they ask for, and the
// classmates left side by side. Its parts, a file a concern: rooms and
// balancing in roombalance.cpp, the plain orders in orders.cpp, keeping
// classmates apart in mixing.cpp; the late changes in latechanges.cpp.

#include "exams/arrange.h"
#include "exams/arrangeparts.h"

#include <algorithm>
#include <numeric>

namespace exams {

Arrangement arrange(const CandidateList& list, const Settings& settings) {
    Arrangement result;
    const int candidates = int(list.candidates.size());
    if (const QString problem = settingsProblem(settings); !problem.isEmpty()) {
        result.error = problem;
        return result;
    }
    if (settings.order == Order::ByColumn && settings.scoreColumn < 0) {
        result.error = QStringLiteral("按成绩排座要先选一列成绩。");
        return result;
    }
    Seating& seating = result.seating;
    seating.rooms = roomsFor(settings, candidates);
    if (seating.rooms.empty() && candidates > 0) {
        if (settings.rooms.empty()) {
            result.error =
                QStringLiteral("考生 %1 人，每考场 %2 人需要 %3 个考场，最多 %4 个考场。")
                    .arg(candidates)
                    .arg(settings.perRoom)
                    .arg(roomsNeeded(settings, candidates))
                    .arg(kMostRooms);
        } else {
            long long seats = 0;
            for (const Room& room : settings.rooms)
                seats += room.capacity;
            result.error = QStringLiteral("考生 %1 人，这 %2 个考场只有 %3 个座位。")
                               .arg(candidates)
                               .arg(settings.rooms.size())
                               .arg(seats);
        }
        return result;
    }
    const std::vector<int> counts =
        detail::roomCounts(seating.rooms, candidates, settings.fullRooms);
    std::vector<int> listed(static_cast<std::size_t>(candidates));
    std::iota(listed.begin(), listed.end(), 0);
    switch (settings.order) {
    case Order::Listed:
        seating.seats = detail::dealInOrder(listed, counts);
        break;
    case Order::ByClass:
        seating.seats = detail::dealInOrder(detail::byClassOrder(list), counts);
        break;
    case Order::ByColumn: {
        seating.seats =
            detail::dealInOrder(detail::byColumnOrder(list, settings.scoreColumn), counts);
        common::Draw draw = detail::examDraw(settings.seed);
        for (auto& room : seating.seats)
            draw.shuffle(room);
        break;
    }
    case Order::Mixed:
        seating.seats = detail::mixed(list, settings, seating, counts);
        break;
    }
    result.adjacentPairs =
        int(adjacentClassmates(list, seating, settings.fill, settings.diagonal).size());
    if (result.adjacentPairs > 0)
        result.why = detail::whyAdjacent(list, seating, settings);
    return result;
}

QString summaryLine(const Exam& exam, int adjacentPairs) {
    const auto& candidates = exam.list.candidates;
    const auto seats = seatsOf(exam.seating, candidates.size());
    const auto unseated =
        std::count_if(seats.begin(), seats.end(), [](const SeatOf& s) { return s.room < 0; });
    QString line = QStringLiteral("考生 %1 人，%2 个考场，相邻同班 %3 对，随机种子 %4")
                       .arg(candidates.size())
                       .arg(exam.seating.rooms.size())
                       .arg(adjacentPairs)
                       .arg(exam.settings.seed);
    if (unseated)
        line += QStringLiteral("；%1 人没有座位").arg(unseated);
    return line;
}

} // namespace exams
