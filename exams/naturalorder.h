#pragma once
// The one order of classes and student numbers, for seating by class and
// for every list an output sorts: the order a school reads them in.
//
// Numbers compare as numbers, however written: runs of digits (full-width
// ones too: "007" is 7, "高一(2)班" before "高一(10)班") and runs of Chinese
// numerals ("初一 初二 初三", "九班 十班 十一班 二十班", 〇 零 两 among
// them). A number comes before text. The text between numbers compares as
// the Chinese collator orders it, by pinyin. Names equal in this order are
// left as the list gives them.

#include "exams/exam.h"

#include <QString>
#include <vector>

namespace exams {

// Below 0, 0 or above 0 as `a` comes before, together with or after `b`.
int naturalCompare(const QString& a, const QString& b);

// Every candidate's index, by class and then student number.
std::vector<int> byClass(const CandidateList& list);

} // namespace exams
