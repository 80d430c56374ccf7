#pragma once
// What an exam office posts and hands out: the workbook (.xlsx), the print
// pack (门贴, 桌贴, 签到表, 总表) and the table document (.rtf). Every
// output but the table document carries the title, the date, and the seed
// with the program version. Each file replaces the old one only when whole.

#include "exams/exam.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>

class QPagedPaintDevice;

namespace exams {

// The workbook: a sheet "第N考场" per room (the room's grid, each cell
// 考号, a line break, 姓名), and a sheet "按班级" (班级, 学号, 姓名, 考号,
// 考场, 座位, sorted by class and student number). Returns an error
// message, empty on success; the old file stays whole on failure.
QString writeWorkbook(const Exam& exam, const QDate& date, const QString& path);

enum class Part { DoorLists, DeskLabels, SignIn, Overview };

// Called after every page with the pages done and the pages in all; false
// cancels.
using Progress = std::function<bool(int done, int total)>;

// The pages of the parts asked for, A4, on any paged device (a printer, a
// PDF writer). Returns false when cancelled.
bool paintPrintPack(const Exam& exam, const QDate& date, const std::vector<Part>& parts,
                    QPagedPaintDevice& device, const Progress& progress = {});
int printPackPages(const Exam& exam, const std::vector<Part>& parts);

// The whole pack as a PDF file; error message, empty on success. A
// cancelled run leaves the old file as it was and says so.
QString writePrintPackPdf(const Exam& exam, const QDate& date, const QString& path,
                          const Progress& progress = {});

// The table document of every room (GBK), one titled table a room in the
// room's own rows and columns, as shown.
QByteArray examTableDocument(const Exam& exam);

// The printouts to print again after a late change from `before` to
// `after`: lines such as "第3考场：门贴、签到表" and "桌贴：张三、李四",
// and "按班级总表" and "工作簿" whenever any seat changed.
QStringList printoutsToRedo(const Exam& before, const Exam& after);

} // namespace exams
