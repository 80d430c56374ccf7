#pragma once
// The exam file: candidates, rooms, settings, seed, program version and
// seats, to reprint or change a week later.

#include "exams/exam.h"

#include <QByteArray>
#include <QString>

namespace exams {

QByteArray examFileBytes(const Exam& exam);

struct OpenedExam {
    Exam exam;
    QString error; // why the bytes are no exam file, in plain Chinese; empty when read
};
OpenedExam readExamFile(const QByteArray& bytes);

} // namespace exams
