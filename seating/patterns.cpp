#include "seating/patterns.h"

#include <QtGlobal>
#include <algorithm>

namespace quorlen {

std::vector<int> fillOrder(SnakeFamily family, int rows) {
    Q_ASSERT(rows >= 1 && rows <= kRows);
    std::vector<int> order;
    order.reserve(kColumns * rows);
    if (family == SnakeFamily::Rows) {
        for (int row = 0; row < rows; ++row)
            for (int step = 0; step < kColumns; ++step)
                order.push_back(seatIndex(row % 2 == 0 ? step : kColumns - 1 - step, row));
    } else {
        for (int column = 0; column < kColumns; ++column)
            for (int step = 0; step < rows; ++step)
                order.push_back(seatIndex(column, column % 2 == 0 ? step : rows - 1 - step));
    }
    return order;
}

SeatPlan filledPlan(SnakeFamily family, int rows, const std::vector<QString>& candidates) {
    SeatPlan plan;
    const std::vector<int> order = fillOrder(family, rows);
    const size_t placed = std::min(order.size(), candidates.size());
    for (size_t position = 0; position < placed; ++position)
        plan[order[position]] = candidates[position];
    return plan;
}

} // namespace quorlen
