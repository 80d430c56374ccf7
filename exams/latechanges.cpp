// Late changes on the morning of the examination: a candidate added, one
// leaving, two changing seats. Nobody else moves, so only the printouts of
// the seats changed need printing again.

#include "exams/arrange.h"

#include <QRegularExpression>
#include <algorithm>

namespace exams {

std::optional<Candidate> lateCandidate(const QString& line, const CandidateList& list) {
    static const QRegularExpression between(QStringLiteral("[,，\\t]"));
    const QStringList cells = line.split(between);
    Candidate candidate;
    candidate.name = cells.value(0).trimmed();
    candidate.className = cells.value(1).trimmed();
    candidate.studentNo = cells.value(2).trimmed();
    for (qsizetype i = 0; i < list.extraHeaders.size(); ++i)
        candidate.extra << QString();
    if (candidate.name.isEmpty())
        return std::nullopt;
    return candidate;
}

QString lateCandidateProblem() {
    return QStringLiteral("没有添加：要有姓名。");
}

// A free seat is a -1 in a room's seats (someone left it), or, past the end
// of a room's seats, a seat number below the room's capacity.
Changed seatLateCandidate(const Seating& seating, int candidate) {
    Changed result{seating, {}};
    for (const auto& room : seating.seats)
        if (std::find(room.begin(), room.end(), candidate) != room.end()) {
            result.error = QStringLiteral("这名考生已经有座位了。");
            return result;
        }
    for (std::size_t r = 0; r < result.seating.seats.size(); ++r) {
        auto& seats = result.seating.seats[r];
        if (const auto free = std::find(seats.begin(), seats.end(), -1); free != seats.end()) {
            *free = candidate;
            return result;
        }
        if (r < seating.rooms.size() && int(seats.size()) < seating.rooms[r].capacity) {
            seats.push_back(candidate);
            return result;
        }
    }
    result.error = QStringLiteral("各考场都已坐满，没有空座位了。");
    return result;
}

Seating unseat(const Seating& seating, int candidate) {
    Seating result = seating;
    for (auto& room : result.seats)
        std::replace(room.begin(), room.end(), candidate, -1);
    return result;
}

Seating swapSeats(const Seating& seating, int first, int second) {
    Seating result = seating;
    for (auto& room : result.seats)
        for (int& who : room)
            if (who == first)
                who = second;
            else if (who == second)
                who = first;
    return result;
}

} // namespace exams
