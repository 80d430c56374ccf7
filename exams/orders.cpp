// The orders candidates take the seats in when classmates need not be kept
// apart: as listed, by class and student number, or by a score column.

#include "exams/arrangeparts.h"
#include "exams/naturalorder.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace exams::detail {

// Deals `order` to the rooms, room after room.
std::vector<std::vector<int>> dealInOrder(const std::vector<int>& order,
                                          const std::vector<int>& counts) {
    std::vector<std::vector<int>> seats(counts.size());
    std::size_t next = 0;
    for (std::size_t r = 0; r < counts.size(); ++r)
        for (int i = 0; i < counts[r]; ++i)
            seats[r].push_back(order[next++]);
    return seats;
}

std::vector<int> byClassOrder(const CandidateList& list) {
    return byClass(list);
}

// Highest score first; candidates without a number in that column last.
std::vector<int> byColumnOrder(const CandidateList& list, int column) {
    std::vector<std::pair<bool, double>> scores;
    for (const Candidate& candidate : list.candidates) {
        bool ok = false;
        const double score = column >= 0 && column < candidate.extra.size()
                                 ? candidate.extra[column].trimmed().toDouble(&ok)
                                 : 0.0;
        scores.emplace_back(ok && std::isfinite(score), score);
    }
    std::vector<int> order(list.candidates.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const auto& x = scores[std::size_t(a)];
        const auto& y = scores[std::size_t(b)];
        if (x.first != y.first)
            return x.first;
        return x.first && x.second > y.second;
    });
    return order;
}

} // namespace exams::detail
