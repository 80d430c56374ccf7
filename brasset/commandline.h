#pragma once
// Brasset's command line for offices that script: the same examination
// core as the 考务编排 window, without a window.
//
//   brasset --exam FILE [--per-room N] [--rows R] [--columns C] [--full-rooms]
//           [--order listed|class|mixed|COLUMN] [--diagonal] [--seed S] [--prefix P]
//           [--title T] [--xlsx OUT.xlsx] [--pdf OUT.pdf] [--rtf OUT.rtf]

#include <QStringList>

class QTextStream;

namespace exams {

// Whether these arguments ask for the command line rather than the window.
bool wantsCommandLine(const QStringList& arguments);

// Runs the command (arguments without the program's name). Prints one
// summary line to out, or a Chinese message to err; returns the exit code:
// 0 on success, 2 for wrong arguments, 1 for any other failure, in which
// case no output file was written.
int runCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err);

QString commandLineHelp();

} // namespace exams
