#include "outputtext.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <numeric>

namespace exams {

QString dateText(const QDate& date) {
    return QStringLiteral("%1年%2月%3日").arg(date.year()).arg(date.month()).arg(date.day());
}

QString seedLine(const Exam& exam) {
    return QStringLiteral("随机种子 %1 · Brasset %2").arg(exam.settings.seed).arg(exam.version);
}

std::vector<int> byClass(const CandidateList& list) {
    QCollator collator(QLocale(QLocale::Chinese, QLocale::China));
    collator.setNumericMode(true);
    const auto& candidates = list.candidates;
    std::vector<int> order(candidates.size());
    std::iota(order.begin(), order.end(), 0);
    // Stable: pupils of one class with one number keep the list's order.
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const Candidate& first = candidates[std::size_t(a)];
        const Candidate& second = candidates[std::size_t(b)];
        if (const int c = collator.compare(first.className, second.className); c != 0)
            return c < 0;
        return collator.compare(first.studentNo, second.studentNo) < 0;
    });
    return order;
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
