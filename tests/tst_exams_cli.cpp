// Brasset's command line as an exam office scripts it: what it prints, its
// exit code, and which files it leaves, a row a run. A failed run writes
// nothing and leaves older files as they were.

#include "brasset/commandline.h"
#include "tests/driver.h"

#include <QScopeGuard>
#include <QTextStream>
#include <algorithm>

namespace {
// name | arguments (data files from tests/data/exams/ are copied into the
// folder the run starts in; "old:NAME" makes NAME an older file first) |
// exit code | what it prints: out or err, and a part of it | the files
// left afterwards, with "NAME=old" for one that must still be the older file
// | how many sit in each room of o.rtf
const char* const kRuns = R"(
a grade, mixed, every output | --exam school.csv --order mixed --seed 7 --prefix K --title 期末 --xlsx o.xlsx --pdf o.pdf --rtf o.rtf | 0 | out 考生 60 人，2 个考场，相邻同班 0 对，随机种子 7 | school.csv o.pdf o.rtf o.xlsx | 30 30
by class into full rooms of 25 | --exam school.csv --order class --per-room 25 --full-rooms --rtf o.rtf | 0 | out 考生 60 人，3 个考场 | school.csv o.rtf | 25 25 10
by a column, highest first, balanced | --exam school.csv --order 成绩 --seed 1 --per-room 25 --rtf o.rtf | 0 | out 随机种子 1 | school.csv o.rtf | 20 20 20
a column the list lacks | --exam school.csv --order 年龄 --rtf o.rtf | 2 | err 没有“年龄”这一列 | school.csv |
a list with no header | --exam noheader.csv --rtf o.rtf | 1 | err 姓名 | noheader.csv |
a file that is not there | --exam gone.csv --rtf o.rtf | 1 | err gone.csv | |
an unknown option | --exam school.csv --colour red | 2 | err --colour | school.csv |
more seats asked of a room than it has | --exam school.csv --rows 5 --columns 5 --per-room 30 | 2 | err 只有 25 个座位 | school.csv |
a failed output leaves the others old | old:o.rtf --exam school.csv --rtf o.rtf --xlsx missing/o.xlsx | 1 | err missing | school.csv o.rtf=old |
a seed too large | --exam school.csv --seed 4294967296 | 2 | err --seed | school.csv |
help | --help | 0 | out 用法：brasset --exam | |
)";
// The names in each room of a table document, from its first seat on.
QList<QStringList> roomsOf(const QByteArray& document) {
    static const QRegularExpression name("<br>([^<]+)</td>");
    QList<QStringList> rooms;
    for (const QString& table : common::fromAnsi(document).split("<table").mid(1)) {
        rooms << QStringList();
        for (const auto& match : name.globalMatch(table))
            rooms.last() << match.captured(1);
    }
    return rooms;
}

// Why the rooms are not ordered by score, highest first: each room's lowest
// score at least the next room's highest.
QString notHighestFirst(const QList<QStringList>& rooms) {
    QHash<QString, int> scores;
    for (const QString& line : QString::fromUtf8(bytesOf(":/data/exams/school.csv")).split('\n'))
        scores[line.section(',', 2, 2)] = line.section(',', 3, 3).toInt();
    for (qsizetype room = 1; room < rooms.size(); ++room) {
        const auto score = [&](const QString& a, const QString& b) {
            return scores[a] < scores[b];
        };
        const QString low =
            *std::min_element(rooms[room - 1].begin(), rooms[room - 1].end(), score);
        const QString high = *std::max_element(rooms[room].begin(), rooms[room].end(), score);
        if (scores[low] < scores[high])
            return QString("room %1 seats %2 (%3), room %4 seats %5 (%6)")
                .arg(room)
                .arg(low)
                .arg(scores[low])
                .arg(room + 1)
                .arg(high)
                .arg(scores[high]);
    }
    return {};
}
} // namespace

class TestExamsCli : public QObject {
    Q_OBJECT
private slots:
    void runs_data() { addTable({"arguments", "code", "printed", "left", "rooms"}, kRuns); }
    void runs() {
        QFETCH(QString, arguments);
        QFETCH(QString, printed);
        QFETCH(QString, left);
        QTemporaryDir folder;
        // Back to the folder it started in, however the row ends.
        const auto back = qScopeGuard([old = QDir::currentPath()] { QDir::setCurrent(old); });
        QVERIFY(QDir::setCurrent(folder.path()));
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
        const QList<QStringList> rooms = roomsOf(bytesOf("o.rtf"));
        kept.sort();
        const QString said = printed.startsWith("out") ? out : err;
        QVERIFY2(said.contains(printed.section(' ', 1)),
                 qPrintable("out: " + out + "\nerr: " + err));
        QTEST(QString::number(code), "code");
        QCOMPARE(files, kept);
        QCOMPARE(olderKept, QStringList());
        QStringList sizes;
        for (const QStringList& room : rooms)
            sizes << QString::number(room.size());
        QTEST(sizes.join(' '), "rooms");
        if (arguments.contains("--order 成绩"))
            QCOMPARE(notHighestFirst(rooms), QString());
    }
};

QTEST_MAIN(TestExamsCli)
#include "tst_exams_cli.moc"
