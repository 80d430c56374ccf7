#pragma once
// What the workbook and the print pack both say: the lines under the title,
// and the candidates in the order of the 按班级 lists.

#include "exams/exam.h"
#include "exams/naturalorder.h" // byClass: the order of the 按班级 lists

#include <QDate>
#include <QString>
#include <vector>

namespace exams {

// "2026年12月7日"
QString dateText(const QDate& date);

// "随机种子 20261207 · Brasset 1.3.0": what reseats the exam the same way.
QString seedLine(const Exam& exam);

// The seated candidates of a room, in seat order: {seat, candidate}.
struct Taken {
    int seat = 0;
    int candidate = 0;
};
std::vector<Taken> takenSeats(const Seating& seating, int room, std::size_t candidates);

} // namespace exams
