#pragma once
// QCOMPARE of exams and seatings that names where the two differ: candidate
// 3's 姓名, room 2 seat 5, a setting; the values on either side.

#include "exams/exam.h"

#include <QTest>

namespace examcompare {
using namespace exams;

// Quoted, control characters and surrogate halves as \uXXXX: a message is
// cut at a NUL and a lone half is not printable.
inline QString text(const QString& value) {
    QString shown = "\"";
    for (const QChar c : value)
        shown += c.unicode() < 0x20 || c.isSurrogate()
                     ? QString("\\u%1").arg(c.unicode(), 4, 16, QChar('0'))
                     : QString(c);
    return shown + '"';
}
inline QString text(const QStringList& value) {
    QStringList shown;
    for (const QString& item : value)
        shown << text(item);
    return '[' + shown.join(", ") + ']';
}
inline QString text(const Room& room) {
    return QString("%1 %2x%3 for %4")
        .arg(text(room.location))
        .arg(room.rows)
        .arg(room.columns)
        .arg(room.capacity);
}
template <typename T> QString text(const T& value) {
    return QString::number(qlonglong(value));
}

// The first difference between a and b of the named values, or nothing.
struct Differ {
    QString first;
    template <typename T> void operator()(const QString& what, const T& a, const T& b) {
        if (first.isEmpty() && !(a == b))
            first = what + ": " + text(a) + " against " + text(b);
    }
    template <typename T, typename Each>
    void each(const QString& what, const std::vector<T>& a, const std::vector<T>& b, Each compare) {
        for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
            compare(what.arg(i + 1), a[i], b[i]);
        (*this)(what.arg("count"), a.size(), b.size());
    }
};

inline QString difference(const Seating& a, const Seating& b) {
    Differ d;
    d.each("room %1", a.rooms, b.rooms,
           [&](const QString& what, const Room& x, const Room& y) { d(what, x, y); });
    d.each("room %1", a.seats, b.seats, [&](const QString& room, const auto& x, const auto& y) {
        d.each(room + " seat %1", x, y, [&](const QString& seat, int p, int q) {
            d(seat + "'s candidate (by index)", p, q);
        });
    });
    return d.first;
}

inline QString difference(const Exam& a, const Exam& b) {
    Differ d;
    d("version", a.version, b.version);
    d("extra headers", a.list.extraHeaders, b.list.extraHeaders);
    d.each("candidate %1", a.list.candidates, b.list.candidates,
           [&](const QString& who, const Candidate& x, const Candidate& y) {
               d(who + "'s name", x.name, y.name);
               d(who + "'s class", x.className, y.className);
               d(who + "'s student number", x.studentNo, y.studentNo);
               d(who + "'s exam number", x.examNo, y.examNo);
               d(who + "'s other columns", x.extra, y.extra);
               d(who + "'s source row", x.sourceRow, y.sourceRow);
           });
    const Settings &s = a.settings, &t = b.settings;
    d("rows", s.rows, t.rows);
    d("columns", s.columns, t.columns);
    d("per room", s.perRoom, t.perRoom);
    d.each("settings' room %1", s.rooms, t.rooms,
           [&](const QString& what, const Room& x, const Room& y) { d(what, x, y); });
    d("full rooms", s.fullRooms, t.fullRooms);
    d("fill", s.fill, t.fill);
    d("order", s.order, t.order);
    d("score column", s.scoreColumn, t.scoreColumn);
    d("diagonal", s.diagonal, t.diagonal);
    d("seed", s.seed, t.seed);
    d("prefix", s.prefix, t.prefix);
    d("title", s.title, t.title);
    if (d.first.isEmpty() && !(a == b))
        d.first = "seating, " + difference(a.seating, b.seating);
    return d.first.isEmpty() && !(a == b) ? "a field this comparison does not name" : d.first;
}
} // namespace examcompare

// Chosen by QCOMPARE over its template, which could only say "not the same".
namespace QTest {
template <typename T>
bool qCompareExams(const T& actual, const T& expected, const char* actualText,
                   const char* expectedText, const char* file, int line) {
    const QString why = examcompare::difference(actual, expected);
    return qVerify(why.isEmpty(), qPrintable(QString("%1 == %2").arg(actualText, expectedText)),
                   qPrintable("they differ first at " + why + " (actual against expected)"), file,
                   line);
}
inline bool qCompare(const exams::Exam& actual, const exams::Exam& expected, const char* a,
                     const char* e, const char* file, int line) {
    return qCompareExams(actual, expected, a, e, file, line);
}
inline bool qCompare(const exams::Seating& actual, const exams::Seating& expected, const char* a,
                     const char* e, const char* file, int line) {
    return qCompareExams(actual, expected, a, e, file, line);
}
inline bool qCompare(const std::vector<std::vector<int>>& actual,
                     const std::vector<std::vector<int>>& expected, const char* a, const char* e,
                     const char* file, int line) {
    return qCompareExams(exams::Seating{{}, actual}, exams::Seating{{}, expected}, a, e, file,
                         line);
}
} // namespace QTest
