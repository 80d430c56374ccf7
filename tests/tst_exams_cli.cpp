// Brasset's command line as an exam office scripts it: what it prints, its
// exit code, and which files it leaves, a row a run. A failed run writes
// nothing and leaves older files as they were.

#include "commandline.h"
#include "driver.h"

#include <QTextStream>

namespace {
// name | arguments (data files from tests/data/exams/ are copied into the
// folder the run starts in; "old:NAME" makes NAME an older file first) |
// exit code | what it prints: out or err, and a part of it | the files
// left afterwards, with "NAME=old" for one that must still be the older file
const char* const kRuns = R"(
a grade, mixed, every output | --exam school.csv --order mixed --seed 7 --prefix K --title 期末 --xlsx o.xlsx --pdf o.pdf --rtf o.rtf | 0 | out 考生 60 人，2 个考场，相邻同班 0 对，随机种子 7 | school.csv o.pdf o.rtf o.xlsx
by class into full rooms of 20 | --exam school.csv --order class --per-room 20 --full-rooms --rtf o.rtf | 0 | out 考生 60 人，3 个考场 | school.csv o.rtf
by a column, highest first | --exam school.csv --order 成绩 --seed 1 | 0 | out 随机种子 1 | school.csv
a column the list lacks | --exam school.csv --order 年龄 --rtf o.rtf | 2 | err 没有“年龄”这一列 | school.csv
a list with no header | --exam noheader.csv --rtf o.rtf | 1 | err 姓名 | noheader.csv
a file that is not there | --exam gone.csv --rtf o.rtf | 1 | err gone.csv |
an unknown option | --exam school.csv --colour red | 2 | err --colour | school.csv
more seats asked of a room than it has | --exam school.csv --rows 5 --columns 5 --per-room 30 | 2 | err 只有 25 个座位 | school.csv
a failed output leaves the others old | old:o.rtf --exam school.csv --rtf o.rtf --xlsx missing/o.xlsx | 1 | err missing | school.csv o.rtf=old
a seed too large | --exam school.csv --seed 4294967296 | 2 | err --seed | school.csv
help | --help | 0 | out 用法：brasset --exam |
)";
} // namespace

class TestExamsCli : public QObject {
    Q_OBJECT
private slots:
    void runs_data() { addTable({"arguments", "code", "printed", "left"}, kRuns); }
    void runs() {
        QFETCH(QString, arguments);
        QFETCH(QString, printed);
        QFETCH(QString, left);
        QTemporaryDir folder;
        const QString old = QDir::currentPath();
        QDir::setCurrent(folder.path());
        QStringList args;
        for (const QString& argument : arguments.split(' ', Qt::SkipEmptyParts)) {
            if (QFileInfo(":/data/exams/" + argument).isFile())
                copyData(":/data/exams/" + argument, argument);
            if (argument.startsWith("old:")) {
                QFile older(argument.mid(4));
                QVERIFY(older.open(QIODevice::WriteOnly) && older.write("old") == 3);
            } else {
                args << argument;
            }
        }
        QString out, err;
        QTextStream outStream(&out), errStream(&err);
        const int code = exams::runCommandLine(args, outStream, errStream);
        outStream.flush();
        errStream.flush();
        const QStringList files = QDir().entryList(QDir::Files | QDir::Hidden, QDir::Name);
        QStringList kept, olderKept;
        for (const QString& file : left.split(' ', Qt::SkipEmptyParts)) {
            kept << file.section('=', 0, 0);
            if (file.endsWith("=old") && bytesOf(kept.last()) != "old")
                olderKept << kept.last() + " was replaced";
        }
        QDir::setCurrent(old);
        kept.sort();
        const QString said = printed.startsWith("out") ? out : err;
        QVERIFY2(said.contains(printed.section(' ', 1)),
                 qPrintable("out: " + out + "\nerr: " + err));
        QTEST(QString::number(code), "code");
        QCOMPARE(files, kept);
        QCOMPARE(olderKept, QStringList());
    }
};

QTEST_MAIN(TestExamsCli)
#include "tst_exams_cli.moc"
