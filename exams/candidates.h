#pragma once
// Candidates in: a paste from a spreadsheet, a .csv or an .xlsx, read into
// rows of cells, then the columns told apart (姓名, 班级, 学号, 考号, and
// the rest kept) and every row that cannot be read listed by its number.

#include "exams/exam.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace exams {

// Rows of cells as the source holds them; a cell is text, as shown
// ("007" stays "007").
using Table = std::vector<QStringList>;

struct ReadTable {
    Table rows;
    QString error; // why nothing could be read, in plain Chinese; empty when read
};

ReadTable readPaste(const QString& text);     // tab-separated, a row a line
ReadTable readCsv(const QByteArray& bytes);   // GBK, or UTF-8 with or without a BOM
ReadTable readXlsx(const QByteArray& bytes);  // the first sheet
ReadTable readTableFile(const QString& path); // by its extension; .xls is refused

// What a column holds.
enum class Field { Name, Class, StudentNo, ExamNo, Other };

// The columns of a header row (姓名/名字, 班级/班, 学号/学籍号, 考号/准考证号
// and their usual variants), or an empty list when the row is no header,
// i.e. names no name column.
std::vector<Field> recogniseHeader(const QStringList& header);

// The headers looked for, for a message that names them.
QStringList knownHeaders();

struct Problem {
    int row = 0; // counted from 1, as the file or paste shows it
    QString what;
    bool operator==(const Problem&) const = default;
};

struct ReadCandidates {
    CandidateList list;
    std::vector<Problem> problems; // rows that were not taken, and why
};

// The candidates of a table whose columns are `fields`; its first row is
// the header when `header` is set (its Other cells name the extra columns).
ReadCandidates candidatesFrom(const Table& table, const std::vector<Field>& fields, bool header);

// The 考号 the list gave more than one candidate, each once.
QStringList duplicateExamNumbers(const CandidateList& list);

// The problems a line each, as the window lists them and the command line
// prints them: "  第 3 行：没有姓名".
QStringList problemLines(const std::vector<Problem>& problems);

} // namespace exams
