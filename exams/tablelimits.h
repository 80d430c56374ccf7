#pragma once
// How much of a table the readers take in: a whole school's list is a few
// thousand rows; a file far beyond these is a mistake (the wrong file, a
// sheet formatted down to its last row) or made to exhaust the memory, and
// is refused with a message instead of bringing the program down.

#include <QString>
#include <QtGlobal>

namespace exams::limits {

constexpr qsizetype kMostRows = 1'000'000;
constexpr qsizetype kMostCells = 10'000'000; // empty ones in gaps too
constexpr qint64 kMostBytes = 200LL * 1024 * 1024;

inline QString tooManyRows() {
    return QStringLiteral("表格超过 %1 行，不像是一份考生名单，没有读入。").arg(kMostRows);
}
inline QString tooManyCells() {
    return QStringLiteral("表格超过 %1 个单元格，不像是一份考生名单，没有读入。").arg(kMostCells);
}
inline QString tooManyBytes() {
    return QStringLiteral("文件超过 %1 MB，不像是一份考生名单，没有读入。")
        .arg(kMostBytes / (1024 * 1024));
}

} // namespace exams::limits
