// The exam office's outputs read back with the tools an office would trust:
// the workbook with openpyxl, the print pack with pdftotext, the table
// document against its expected bytes.

#include "exams/outputs.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace exams;

namespace {
const QDate kDate(2026, 12, 7);

// Two rooms of 3 rows x 2 columns: six in the first, four in the second.
// Classes whose names sort by number, a 学号 with leading zeros, and one
// 考号 the list gave.
Exam smallExam() {
    Exam exam;
    const char* rows[][3] = {{"赵一", "高一(10)班", "3"}, {"钱二", "高一(2)班", "12"},
                             {"孙三", "高一(10)班", "1"}, {"李四", "高一(2)班", "007"},
                             {"周五", "高一(2)班", "8"},  {"吴六", "高一(10)班", "2"},
                             {"郑七", "高一(3)班", "5"},  {"王八", "高一(3)班", "4"},
                             {"冯九", "高一(2)班", "9"},  {"陈十", "高一(3)班", "6"}};
    for (const auto& row : rows)
        exam.list.candidates.push_back(
            {QString::fromUtf8(row[0]), QString::fromUtf8(row[1]), row[2], {}, {}, 0});
    exam.list.candidates[3].examNo = QStringLiteral("2026010101");
    exam.settings.prefix = QStringLiteral("2026");
    exam.settings.title = QStringLiteral("2026学年第一学期期末考试 数学 7月1日 8:00–10:00");
    exam.settings.seed = 42;
    exam.version = QStringLiteral("9.9");
    const Room room{QStringLiteral("教学楼301"), 3, 2, 6};
    exam.seating.rooms = {room, {QString(), 3, 2, 6}};
    exam.seating.seats = {{0, 1, 2, 3, 4, 5}, {6, 7, 8, 9, -1, -1}};
    return exam;
}

// Every sheet's cells as openpyxl reads them, values keeping their type.
const char* kDumpSheets = R"(
import json, sys, openpyxl
book = openpyxl.load_workbook(sys.argv[1])
print(json.dumps({"title": book.properties.title, "sheets": [
    {"name": s.title, "rows": [[c.value for c in row] for row in s.iter_rows()]}
    for s in book.worksheets]}))
)";

// A python3 that has openpyxl (a Debian machine may have another python3
// first on its path), or empty.
QString pythonWithOpenpyxl() {
    for (const QString& python : {QStandardPaths::findExecutable(QStringLiteral("python3")),
                                  QStandardPaths::findExecutable(QStringLiteral("python3"),
                                                                 {QStringLiteral("/usr/bin")})}) {
        QProcess probe;
        probe.start(python, {QStringLiteral("-c"), QStringLiteral("import openpyxl")});
        if (!python.isEmpty() && probe.waitForFinished() && probe.exitCode() == 0)
            return python;
    }
    return {};
}

// What the program printed; `why` says why it did not run to the end well,
// with its own error output, so that a traceback is not read as no output.
QString run(const QString& program, const QStringList& arguments, QString& why) {
    QProcess process;
    process.start(program, arguments);
    const bool finished = process.waitForFinished(60000);
    QString out = QString::fromUtf8(process.readAllStandardOutput());
    why = finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0
              ? QString()
              : QStringLiteral("%1 failed (%2):\n%3")
                    .arg(program,
                         process.error() == QProcess::UnknownError
                             ? QStringLiteral("exit code %1").arg(process.exitCode())
                             : process.errorString(),
                         QString::fromUtf8(process.readAllStandardError()));
    return out;
}
} // namespace

class ExamOutputs : public QObject {
    Q_OBJECT
    QTemporaryDir m_folder;

private slots:
    void workbookReadsBack() {
        const QString python = pythonWithOpenpyxl();
        if (python.isEmpty())
            QSKIP("python3 with openpyxl is missing (Debian package python3-openpyxl)");
        const QString path = m_folder.filePath(QStringLiteral("考场.xlsx"));
        QCOMPARE(writeWorkbook(smallExam(), kDate, path), QString());
        QString why;
        const QString dumped = run(python, {QStringLiteral("-c"), kDumpSheets, path}, why);
        QVERIFY2(why.isEmpty(), qPrintable(why));
        const QJsonObject book = QJsonDocument::fromJson(dumped.toUtf8()).object();
        const QJsonArray sheets = book["sheets"].toArray();
        QCOMPARE(sheets.size(), 3);
        QCOMPARE(book["title"].toString(), smallExam().settings.title);
        QStringList names;
        for (const auto& sheet : sheets)
            names << sheet.toObject().value(QLatin1String("name")).toString();
        QCOMPARE(names, QStringList({"第1考场", "第2考场", "按班级"}));
        // By value, through the const at(): a cell past the end is undefined,
        // and nothing refers into the arrays made on the way.
        const auto cell = [&](int sheet, int row, int column) -> QJsonValue {
            return sheets.at(sheet)
                .toObject()
                .value(QLatin1String("rows"))
                .toArray()
                .at(row)
                .toArray()
                .at(column);
        };
        // Rows 1-3 say what, when and how it was seated; row 4 names the room.
        QCOMPARE(cell(0, 0, 0).toString(), smallExam().settings.title);
        QCOMPARE(cell(0, 1, 0).toString(), QStringLiteral("2026年12月7日"));
        QCOMPARE(cell(0, 2, 0).toString(), QStringLiteral("随机种子 42 · Brasset 9.9"));
        QCOMPARE(cell(0, 3, 0).toString(), QStringLiteral("第1考场 教学楼301"));
        // Seat 1 bottom right (B7), seat 2 bottom left, seat 3 above it;
        // the front under the grid.
        QCOMPARE(cell(0, 6, 1).toString(), QStringLiteral("20260101\n赵一"));
        QCOMPARE(cell(0, 6, 0).toString(), QStringLiteral("20260102\n钱二"));
        QCOMPARE(cell(0, 5, 0).toString(), QStringLiteral("20260103\n孙三"));
        QCOMPARE(cell(0, 5, 1).toString(), QStringLiteral("2026010101\n李四"));
        QCOMPARE(cell(1, 4, 1).toString(), QString()); // the second room's free seats
        QCOMPARE(cell(0, 7, 0).toString(), QStringLiteral("讲台"));
        // 按班级: the header first, classes by their number, 学号 as text.
        const QStringList expected[] = {
            {"班级", "学号", "姓名", "考号", "考场", "座位"},
            {"高一(2)班", "007", "李四", "2026010101", "第1考场", "4"},
            {"高一(2)班", "8", "周五", "20260105", "第1考场", "5"},
            {"高一(2)班", "9", "冯九", "20260203", "第2考场", "3"},
            {"高一(2)班", "12", "钱二", "20260102", "第1考场", "2"},
            {"高一(3)班", "4", "王八", "20260202", "第2考场", "2"},
        };
        for (int row = 0; row < 6; ++row)
            for (int column = 0; column < 6; ++column) {
                const QJsonValue value = cell(2, row, column);
                const QString text =
                    value.isDouble() ? QString::number(value.toInt()) : value.toString();
                QCOMPARE(text, expected[row][column]);
                if (column == 1 || column == 3)
                    QVERIFY(value.isString()); // never a number
            }
        QCOMPARE(cell(2, 12, 0).toString(), smallExam().settings.title);
    }

    void printPackReadsBack() {
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("pdftotext is missing (Debian package poppler-utils)");
        const QString path = m_folder.filePath(QStringLiteral("考务.pdf"));
        int calls = 0;
        QCOMPARE(writePrintPackPdf(smallExam(), kDate, path, [&](int, int) { return ++calls; }),
                 QString());
        QString why;
        const QStringList pages = run(pdftotext, {path, QStringLiteral("-")}, why)
                                      .split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        QVERIFY2(why.isEmpty(), qPrintable(why));
        const int total = printPackPages(
            smallExam(), {Part::DoorLists, Part::DeskLabels, Part::SignIn, Part::Overview});
        // Two door lists, ten labels on a page, two sign-in sheets, one overview.
        QCOMPARE(total, 6);
        QCOMPARE(pages.size(), total);
        QCOMPARE(calls, total);
        const QStringList partTexts[] = {
            {"第1考场", "教学楼301", "考号 20260101 – 20260106", "20260101", "赵一", "讲台"},
            {"第2考场", "考号 20260201 – 20260204"},
            {"考号 20260101", "赵一", "班级 高一(10)班", "座位 1", "考号 20260204", "陈十"},
            {"签到表", "座位", "签名", "2026010101", "李四"},
            {"第2考场 签到表", "陈十"},
            {"按班级总表", "学号", "007", "高一(3)班", "20260203"},
        };
        for (int page = 0; page < total; ++page) {
            const QString& text = pages[page];
            for (const QString& expected :
                 partTexts[page] + QStringList{"2026学年第一学期期末考试", "2026年12月7日",
                                               "随机种子 42 · Brasset 9.9",
                                               QStringLiteral("第%1页，共6页").arg(page + 1)})
                QVERIFY2(
                    text.contains(expected),
                    qPrintable(
                        QStringLiteral("page %1 lacks %2:\n%3").arg(page + 1).arg(expected, text)));
        }
    }

    void tableDocumentBytes() {
        QFile expected(QStringLiteral(":/data/exams/rooms.rtf"));
        QVERIFY(expected.open(QIODevice::ReadOnly));
        QCOMPARE(examTableDocument(smallExam()), expected.readAll());
    }

    // A failed or cancelled write leaves no file, or the old one whole.
    void failuresLeaveFilesAlone() {
        QTemporaryDir folder;
        const QString missing = folder.filePath(QStringLiteral("没有/考场"));
        const QString old = folder.filePath(QStringLiteral("旧.pdf"));
        const QByteArray oldBytes("%PDF old pack");
        QFile file(old);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(oldBytes) == oldBytes.size());
        file.close();
        const Exam exam = smallExam();
        const struct {
            const char* name;
            std::function<QString()> write;
            QString path;
            QString message;
        } cases[] = {
            {"workbook in a missing folder", [&] { return writeWorkbook(exam, kDate, missing); },
             missing, "文件夹不存在"},
            {"PDF in a missing folder", [&] { return writePrintPackPdf(exam, kDate, missing); },
             missing, "文件夹不存在"},
            {"PDF cancelled at page 3",
             [&] {
                 return writePrintPackPdf(exam, kDate, old, [](int done, int) { return done < 3; });
             },
             old, "已取消"},
        };
        for (const auto& test : cases) {
            QVERIFY2(test.write().startsWith(test.message), test.name);
            QFile after(test.path);
            QCOMPARE(after.exists(), test.path == old);
            QVERIFY2(test.path != old ||
                         (after.open(QIODevice::ReadOnly) && after.readAll() == oldBytes),
                     test.name);
        }
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"旧.pdf"});
    }
};

QTEST_MAIN(ExamOutputs)
#include "tst_exams_out.moc"
