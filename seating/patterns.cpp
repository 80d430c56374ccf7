#include "patterns.h"

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

const std::array<PatternButton, 8>& patternButtons() {
    constexpr auto Rows = SnakeFamily::Rows;
    constexpr auto Columns = SnakeFamily::Columns;
    constexpr auto Forward = SnakeDirection::Forward;
    constexpr auto Reverse = SnakeDirection::Reverse;
    // The column snakes stand above the row snakes, with a gap between the
    // two groups.
    static const std::array<PatternButton, 8> buttons{{
        {"Command14", QStringLiteral("竖S倒排(6*5)"), 240, {Columns, 6, Reverse}},
        {"Command13", QStringLiteral("竖S正排(6*5)"), 720, {Columns, 6, Forward}},
        {"Command15", QStringLiteral("竖S倒排(7*5)"), 1200, {Columns, 7, Reverse}},
        {"Command16", QStringLiteral("竖S正排(7*5)"), 1680, {Columns, 7, Forward}},
        {"Command10", QStringLiteral("横S倒排(7*5)"), 2520, {Rows, 7, Reverse}},
        {"Command12", QStringLiteral("横S正排(7*5)"), 3040, {Rows, 7, Forward}},
        {"Command18", QStringLiteral("横S倒排(6*5)"), 3560, {Rows, 6, Reverse}},
        {"Command17", QStringLiteral("横S正排(6*5)"), 4080, {Rows, 6, Forward}},
    }};
    return buttons;
}

} // namespace quorlen
