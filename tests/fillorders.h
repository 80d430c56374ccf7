#pragma once
// Where each exam pattern puts its candidates, as the teachers' handbook
// lists it: candidate p (from 0) ends on seat seats[p], after the half turn
// for the reverse patterns. Written out by hand, so that it checks the rule
// the program generates its orders from.

#include <QList>
#include <QString>
#include <vector>

struct ExpectedOrder {
    const char* button;
    QList<int> seats;
};

inline const std::vector<ExpectedOrder>& expectedOrders() {
    static const std::vector<ExpectedOrder> orders{
        {"Command12", {0,  7, 14, 21, 28, 29, 22, 15, 8,  1,  2,  9, 16, 23, 30, 31, 24, 17,
                       10, 3, 4,  11, 18, 25, 32, 33, 26, 19, 12, 5, 6,  13, 20, 27, 34}},
        {"Command10", {34, 27, 20, 13, 6,  5, 12, 19, 26, 33, 32, 25, 18, 11, 4,  3, 10, 17,
                       24, 31, 30, 23, 16, 9, 2,  1,  8,  15, 22, 29, 28, 21, 14, 7, 0}},
        {"Command17", {0,  7,  14, 21, 28, 29, 22, 15, 8,  1,  2,  9,  16, 23, 30,
                       31, 24, 17, 10, 3,  4,  11, 18, 25, 32, 33, 26, 19, 12, 5}},
        {"Command18", {34, 27, 20, 13, 6,  5,  12, 19, 26, 33, 32, 25, 18, 11, 4,
                       3,  10, 17, 24, 31, 30, 23, 16, 9,  2,  1,  8,  15, 22, 29}},
        {"Command16", {0,  1,  2,  3,  4,  5,  6,  13, 12, 11, 10, 9,  8,  7,  14, 15, 16, 17,
                       18, 19, 20, 27, 26, 25, 24, 23, 22, 21, 28, 29, 30, 31, 32, 33, 34}},
        {"Command15", {34, 33, 32, 31, 30, 29, 28, 21, 22, 23, 24, 25, 26, 27, 20, 19, 18, 17,
                       16, 15, 14, 7,  8,  9,  10, 11, 12, 13, 6,  5,  4,  3,  2,  1,  0}},
        {"Command13", {0,  1,  2,  3,  4,  5,  12, 11, 10, 9,  8,  7,  14, 15, 16,
                       17, 18, 19, 26, 25, 24, 23, 22, 21, 28, 29, 30, 31, 32, 33}},
        {"Command14", {34, 33, 32, 31, 30, 29, 22, 23, 24, 25, 26, 27, 20, 19, 18,
                       17, 16, 15, 8,  9,  10, 11, 12, 13, 6,  5,  4,  3,  2,  1}},
    };
    return orders;
}

inline QList<int> expectedOrder(const QString& button) {
    for (const ExpectedOrder& order : expectedOrders())
        if (button == QLatin1String(order.button))
            return order.seats;
    qFatal("no order for %s", qPrintable(button));
}
