// The seat-plan file: reading items the way plans have always been read, the
// bytes Save writes, and what Open and the start-up load make of the items.

#include "ansitext.h"
#include "listinput.h"
#include "planfile.h"
#include "testfiles.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>

using namespace quorlen;

namespace {
QStringList readAll(const QByteArray& bytes, int most = 1000,
                    qsizetype maxItemBytes = ListInputReader::kMaxItemBytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    ListInputReader reader(buffer, maxItemBytes);
    QStringList items;
    while (items.size() < most && !reader.atEnd())
        items << reader.readItem();
    return items;
}

SeatPlan numberedPlan() {
    SeatPlan plan;
    for (int seat = 0; seat < kSeats; ++seat)
        plan[seat] = QStringLiteral("学生%1").arg(seat);
    return plan;
}
} // namespace

class TestPlanFile : public QObject {
    Q_OBJECT
private slots:
    void lineEnds_data();
    void lineEnds();
    void invalidGbkShiftsNoItem();
    void hugeItemIsCutNotHeld();
    void writerBytes();
    void quotingRule_data();
    void quotingRule();
    void awkwardCaptionsRoundTrip();
    void oldFilesWithCommasReadAsBefore();
    void openAndStartupDiffer();
    void readErrors();
};

void TestPlanFile::lineEnds_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("items");
    const QString e;
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("CR LF lines") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("LF only") << QByteArray("a\nb\n") << QStringList{"a", "b"};
    QTest::newRow("CR only") << QByteArray("a\rb\r") << QStringList{"a", "b"};
    QTest::newRow("no final line end") << QByteArray("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("empty lines are empty items")
        << QByteArray("\r\n\r\nc\r\n") << QStringList{e, e, "c"};
    QTest::newRow("comma ends an item") << QByteArray("a,b\r\nc") << QStringList{"a", "b", "c"};
    QTest::newRow("comma before line end") << QByteArray("a,\r\nb") << QStringList{"a", e, "b"};
    QTest::newRow("quoted with commas and breaks")
        << QByteArray("\"x,y\r\nz\"\r\nnext\r\n") << QStringList{"x,y\r\nz", "next"};
    QTest::newRow("doubled quotation mark")
        << QByteArray("\"say \"\"hi\"\"\"\r\n") << QStringList{"say \"hi\""};
    QTest::newRow("text after closing quote is dropped")
        << QByteArray("\"a\"bc,d\r\n") << QStringList{"a", "d"};
    QTest::newRow("unterminated quote runs to the end")
        << QByteArray("a\r\n\"open,\r\nrest") << QStringList{"a", "open,\r\nrest"};
    QTest::newRow("blanks around a bare item")
        << QByteArray("  a b \t,\tc\r\n") << QStringList{"a b", "c"};
    QTest::newRow("quotation mark inside a bare item")
        << QByteArray("a\"b\r\n") << QStringList{"a\"b"};
    QTest::newRow("GBK text") << QByteArray("\xD5\xC5\xC8\xFD\r\n") << QStringList{"张三"};
    QTest::newRow("binary bytes") << QByteArray("\x00\x01,\x7F\r\n", 6)
                                  << QStringList{QString(QChar(0)) + QChar(1), "\x7F"};
}

void TestPlanFile::lineEnds() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, items);
    QCOMPARE(readAll(bytes), items);
}

void TestPlanFile::invalidGbkShiftsNoItem() {
    const QStringList items = readAll("\x81\r\nok\r\n\xFE\x20x\r\nlast");
    QCOMPARE(items.size(), 4);
    QCOMPARE(items[0], QStringLiteral("\uFFFD"));
    QCOMPARE(items[1], QStringLiteral("ok"));
    QVERIFY(items[2].startsWith(QChar(0xFFFD)));
    QCOMPARE(items[3], QStringLiteral("last"));
}

void TestPlanFile::hugeItemIsCutNotHeld() {
    // A line far longer than any caption is read through, but only the
    // first bytes are kept; the items after it are still found.
    const QByteArray line(300000, 'x');
    const QStringList items = readAll(line + "\r\nnext\r\n\"" + line + "\",after", 10, 1000);
    QCOMPARE(items.size(), 4);
    QCOMPARE(items[0], QString(1000, QLatin1Char('x')));
    QCOMPARE(items[1], QStringLiteral("next"));
    QCOMPARE(items[2], QString(1000, QLatin1Char('x')));
    QCOMPARE(items[3], QStringLiteral("after"));
}

void TestPlanFile::writerBytes() {
    SeatPlan empty;
    QByteArray expected;
    for (int i = 0; i < kSeats; ++i)
        expected += "NULL\r\n";
    QCOMPARE(planFileBytes(empty, false), expected);
    QCOMPARE(planFileBytes(empty, true), expected + "back\r\n");

    SeatPlan plan;
    plan[0] = QStringLiteral("张三");
    plan[6] = QStringLiteral("null");
    plan[34] = QStringLiteral("€a😀");
    const QByteArray bytes = planFileBytes(plan, false);
    QVERIFY(bytes.startsWith("\xD5\xC5\xC8\xFD\r\nNULL\r\n"));
    QCOMPARE(bytes.split('\n').at(6), QByteArray("null\r"));
    QVERIFY(bytes.endsWith("NULL\r\n\x80"
                           "a?\r\n"));
    QCOMPARE(bytes.count("\r\n"), 35);
    QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
}

void TestPlanFile::quotingRule_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("line");
    QTest::newRow("plain") << "张三"
                           << "张三";
    QTest::newRow("empty") << ""
                           << "NULL";
    QTest::newRow("inner quote stays bare") << "a\"b"
                                            << "a\"b";
    QTest::newRow("inner blank stays bare") << "a b"
                                            << "a b";
    QTest::newRow("comma") << "王五,3"
                           << "\"王五,3\"";
    QTest::newRow("leading quote") << R"("x")"
                                   << R"("""x""")";
    QTest::newRow("leading blank") << " a"
                                   << "\" a\"";
    QTest::newRow("trailing tab") << "a\t"
                                  << "\"a\t\"";
    QTest::newRow("line feed") << "a\nb"
                               << "\"a\nb\"";
    QTest::newRow("carriage return") << "a\rb"
                                     << "\"a\rb\"";
}

void TestPlanFile::quotingRule() {
    QFETCH(QString, caption);
    QFETCH(QString, line);
    QCOMPARE(planLine(caption), line);
}

void TestPlanFile::awkwardCaptionsRoundTrip() {
    SeatPlan plan = numberedPlan();
    plan[0] = QStringLiteral("王五,3");
    plan[1] = QStringLiteral("\"引号\" 和 \"\"");
    plan[2] = QStringLiteral("  两边空格  ");
    plan[3] = QStringLiteral("第一行\r\n第二行");
    plan[4] = QStringLiteral("\t");
    plan[5] = QStringLiteral("a&b<c>");
    plan[6] = QString(100000, QChar(u'长'));
    plan[7] = QString();
    plan[33] = QStringLiteral(",");
    plan[34] = QStringLiteral("最后");
    QStringList items = readAll(planFileBytes(plan, true));
    QCOMPARE(items.size(), kSeats + 1);
    QCOMPARE(items.last(), QStringLiteral("back"));
    for (int seat = 0; seat < kSeats; ++seat)
        QCOMPARE(isEmptySeatMarker(items[seat]) ? QString() : items[seat], plan[seat]);
}

void TestPlanFile::oldFilesWithCommasReadAsBefore() {
    // Files written before captions were quoted: a comma splits the line
    // and every later seat moves on by one; at start-up the pushed-out last
    // seat is read as the podium marker.
    QByteArray bytes = common::toAnsi(u"张三,3\r\n");
    for (int seat = 1; seat < 34; ++seat)
        bytes += QStringLiteral("s%1\r\n").arg(seat).toLatin1();
    bytes += "BACK\r\n";
    const QStringList items = readAll(bytes, kSeats + 1);
    std::vector<QString> list(items.begin(), items.end());
    SeatPlan plan;
    bool back = false;
    applyStartupItems(plan, back, list);
    QCOMPARE(plan[0], QStringLiteral("张三"));
    QCOMPARE(plan[1], QStringLiteral("3"));
    QCOMPARE(plan[34], QStringLiteral("s33"));
    QVERIFY(back);
}

void TestPlanFile::openAndStartupDiffer() {
    const SeatPlan before = numberedPlan();
    const std::vector<QString> items = {QStringLiteral("a"), QStringLiteral("NuLl"),
                                        QStringLiteral("c")};
    SeatPlan opened = before;
    applyOpenedItems(opened, items);
    SeatPlan loaded = before;
    bool back = false;
    applyStartupItems(loaded, back, items);
    // "NULL": Open empties the seat, the start-up load keeps its caption.
    QCOMPARE(opened[1], QString());
    QCOMPARE(loaded[1], before[1]);
    // A short file: Open empties the rest, the start-up load keeps them.
    QCOMPARE(opened[2], QStringLiteral("c"));
    QCOMPARE(opened[3], QString());
    QCOMPARE(loaded[3], before[3]);
    QVERIFY(!back);

    std::vector<QString> full(kSeats, QStringLiteral("x"));
    full.push_back(QStringLiteral("Back"));
    applyStartupItems(loaded, back, full);
    QVERIFY(back);
    full.back() = QStringLiteral("backstage");
    back = false;
    applyStartupItems(loaded, back, full);
    QVERIFY(!back);
}

void TestPlanFile::readErrors() {
    QTemporaryDir dir;
    std::vector<QString> items{QStringLiteral("stale")};
    QString error;
    QVERIFY(!readPlanItems(dir.filePath(QStringLiteral("gone.txt")), kSeats, items, error));
    QVERIFY(!error.isEmpty());
    QVERIFY(items.empty());
    error.clear();
    QVERIFY(!readPlanItems(dir.path(), kSeats, items, error));
    QVERIFY(!error.isEmpty());

    const QString path = dir.filePath(QStringLiteral("many.txt"));
    QVERIFY(writeBytes(path, QByteArray(5000, ',')));
    QVERIFY(readPlanItems(path, kSeats, items, error));
    QCOMPARE(items.size(), size_t(kSeats));
}

QTEST_MAIN(TestPlanFile)
#include "tst_planfile.moc"
