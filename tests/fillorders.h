#pragma once
// The exam patterns as the teachers' handbook lists them, in the order their
// buttons stand on the panel: the button, its caption, and where candidate p
// (from 0) ends, after the half turn for the reverse patterns. Written out by
// hand, so that it checks the rule the program generates its orders from.

#include <QList>
#include <QString>
#include <QStringList>

#include <algorithm>

// clang-format off
inline const QStringList kExpectedOrders{
    "Command14 竖S倒排(6*5): 34 33 32 31 30 29 22 23 24 25 26 27 20 19 18 17 16 15 8 9 10 11 12 13 6 5 4 3 2 1",
    "Command13 竖S正排(6*5): 0 1 2 3 4 5 12 11 10 9 8 7 14 15 16 17 18 19 26 25 24 23 22 21 28 29 30 31 32 33",
    "Command15 竖S倒排(7*5): 34 33 32 31 30 29 28 21 22 23 24 25 26 27 20 19 18 17 16 15 14 7 8 9 10 11 12 13 6 5 4 3 2 1 0",
    "Command16 竖S正排(7*5): 0 1 2 3 4 5 6 13 12 11 10 9 8 7 14 15 16 17 18 19 20 27 26 25 24 23 22 21 28 29 30 31 32 33 34",
    "Command10 横S倒排(7*5): 34 27 20 13 6 5 12 19 26 33 32 25 18 11 4 3 10 17 24 31 30 23 16 9 2 1 8 15 22 29 28 21 14 7 0",
    "Command12 横S正排(7*5): 0 7 14 21 28 29 22 15 8 1 2 9 16 23 30 31 24 17 10 3 4 11 18 25 32 33 26 19 12 5 6 13 20 27 34",
    "Command18 横S倒排(6*5): 34 27 20 13 6 5 12 19 26 33 32 25 18 11 4 3 10 17 24 31 30 23 16 9 2 1 8 15 22 29",
    "Command17 横S正排(6*5): 0 7 14 21 28 29 22 15 8 1 2 9 16 23 30 31 24 17 10 3 4 11 18 25 32 33 26 19 12 5",
};
// clang-format on

inline QString expectedLine(const QString& button) {
    const auto line =
        std::find_if(kExpectedOrders.begin(), kExpectedOrders.end(),
                     [&](const QString& l) { return l.startsWith(button + QLatin1Char(' ')); });
    if (line == kExpectedOrders.end())
        qFatal("no pattern button %s", qPrintable(button));
    return *line;
}

inline QStringList patternButtonNames() {
    QStringList names;
    for (const QString& line : kExpectedOrders)
        names << line.section(QLatin1Char(' '), 0, 0);
    return names;
}

inline QString patternCaption(const QString& button) {
    return expectedLine(button).section(QLatin1Char(' '), 1, 1).chopped(1);
}

inline QList<int> expectedOrder(const QString& button) {
    QList<int> seats;
    for (const QString& seat : expectedLine(button).section(QLatin1Char(' '), 2).split(' '))
        seats << seat.toInt();
    return seats;
}
