#include "exams/outputtext.h"

namespace exams {

QString dateText(const QDate& date) {
    return QStringLiteral("%1年%2月%3日").arg(date.year()).arg(date.month()).arg(date.day());
}

QString seedLine(const Exam& exam) {
    return QStringLiteral("随机种子 %1 · Brasset %2").arg(exam.settings.seed).arg(exam.version);
}

std::vector<Taken> takenSeats(const Seating& seating, int room, std::size_t candidates) {
    std::vector<Taken> taken;
    if (room < 0 || std::size_t(room) >= seating.seats.size())
        return taken;
    const std::vector<int>& seats = seating.seats[std::size_t(room)];
    for (std::size_t seat = 0; seat < seats.size(); ++seat)
        if (seats[seat] >= 0 && std::size_t(seats[seat]) < candidates)
            taken.push_back({int(seat), seats[seat]});
    return taken;
}

} // namespace exams
