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
using namespace Qt::StringLiterals;

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
} // namespace

class TestPlanFile : public QObject {
    Q_OBJECT
private slots:
    void readItems_data();
    void readItems();
    void bigFilesAreReadOnlyAsFarAsNeeded();
    void writerBytes();
    void captionsComeBack_data();
    void captionsComeBack();
    void oldFilesWithCommasReadAsBefore();
    void openAndStartupDiffer();
};

void TestPlanFile::readItems_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("items");
    const QString e;
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("CR LF lines") << "a\r\nb\r\n"_ba << QStringList{"a", "b"};
    QTest::newRow("LF only") << "a\nb\n"_ba << QStringList{"a", "b"};
    QTest::newRow("CR only") << "a\rb\r"_ba << QStringList{"a", "b"};
    QTest::newRow("no final line end") << "a\r\nb"_ba << QStringList{"a", "b"};
    QTest::newRow("empty lines are empty items") << "\r\n\r\nc\r\n"_ba << QStringList{e, e, "c"};
    QTest::newRow("comma ends an item") << "a,b\r\nc"_ba << QStringList{"a", "b", "c"};
    QTest::newRow("comma before line end") << "a,\r\nb"_ba << QStringList{"a", e, "b"};
    QTest::newRow("quoted with commas and breaks")
        << "\"x,y\r\nz\"\r\nnext\r\n"_ba << QStringList{"x,y\r\nz", "next"};
    QTest::newRow("doubled quotation mark")
        << "\"say \"\"hi\"\"\"\r\n"_ba << QStringList{"say \"hi\""};
    QTest::newRow("text after closing quote is dropped")
        << "\"a\"bc,d\r\n"_ba << QStringList{"a", "d"};
    QTest::newRow("unterminated quote runs to the end")
        << "a\r\n\"open,\r\nrest"_ba << QStringList{"a", "open,\r\nrest"};
    QTest::newRow("blanks around a bare item") << "  a b \t,\tc\r\n"_ba << QStringList{"a b", "c"};
    QTest::newRow("quotation mark inside a bare item") << "a\"b\r\n"_ba << QStringList{"a\"b"};
    QTest::newRow("GBK text") << "\xD5\xC5\xC8\xFD\r\n"_ba << QStringList{"张三"};
    // Each byte sequence that is not GBK gives a replacement character and
    // no item moves.
    QTest::newRow("invalid GBK") << "\x81\r\nok\r\n\xFE x\r\nlast"_ba
                                 << QStringList{"\uFFFD", "ok", "\uFFFD x", "last"};
    QTest::newRow("binary bytes") << "\x00\x01,\x7F\r\n"_ba
                                  << QStringList{QString(QChar(0)) + QChar(1), "\x7F"};
}

void TestPlanFile::readItems() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, items);
    QCOMPARE(readAll(bytes), items);
}

// A huge file is read only as far as the plan needs: a line far longer than
// any caption is read through but only its first bytes are kept, and no more
// items are read than asked for.
void TestPlanFile::bigFilesAreReadOnlyAsFarAsNeeded() {
    const QByteArray line(300000, 'x');
    const QString kept(1000, u'x');
    QCOMPARE(readAll(line + "\r\nnext\r\n\"" + line + "\",after", 10, 1000),
             (QStringList{kept, "next", kept, "after"}));

    QTemporaryDir dir;
    const QString path = dir.filePath(u"commas.txt"_s);
    QVERIFY(writeBytes(path, QByteArray(5000, ',')));
    std::vector<QString> items;
    QString error;
    QVERIFY(readPlanItems(path, kSeats, items, error));
    QCOMPARE(items.size(), size_t(kSeats));
}

void TestPlanFile::writerBytes() {
    const QByteArray empty = "NULL\r\n"_ba.repeated(kSeats);
    QCOMPARE(planFileBytes(SeatPlan{}, false), empty);
    QCOMPARE(planFileBytes(SeatPlan{}, true), empty + "back\r\n");

    SeatPlan plan;
    plan[0] = u"张三"_s;
    plan[6] = u"null"_s;
    plan[34] = u"€a😀"_s;
    QCOMPARE(planFileBytes(plan, false), "\xD5\xC5\xC8\xFD\r\n"_ba + "NULL\r\n"_ba.repeated(5) +
                                             "null\r\n" + "NULL\r\n"_ba.repeated(27) +
                                             "\x80"
                                             "a?\r\n");
}

// How Save writes a caption, and that the reader gives it back as it was:
// bare unless that would not read back, then quoted with inner quotes doubled.
void TestPlanFile::captionsComeBack_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("line");
    QTest::newRow("plain") << u"张三"_s << u"张三"_s;
    QTest::newRow("inner quote stays bare") << u"a\"b"_s << u"a\"b"_s;
    QTest::newRow("inner blank stays bare") << u"a b"_s << u"a b"_s;
    QTest::newRow("markup") << u"a&b<c>"_s << u"a&b<c>"_s;
    QTest::newRow("comma") << u"王五,3"_s << u"\"王五,3\""_s;
    QTest::newRow("only a comma") << u","_s << u"\",\""_s;
    QTest::newRow("leading quote") << u"\"x\" 和 \"\""_s << u"\"\"\"x\"\" 和 \"\"\"\"\""_s;
    QTest::newRow("leading blank") << u" a"_s << u"\" a\""_s;
    QTest::newRow("trailing tab") << u"a\t"_s << u"\"a\t\""_s;
    QTest::newRow("only a tab") << u"\t"_s << u"\"\t\""_s;
    QTest::newRow("a line feed") << u"第一行\n第二行"_s << u"\"第一行\n第二行\""_s;
    QTest::newRow("a lone CR") << u"a\rb"_s << u"\"a\rb\""_s;
    QTest::newRow("100000 characters") << QString(100000, u'长') << QString(100000, u'长');
}

void TestPlanFile::captionsComeBack() {
    QFETCH(QString, caption);
    QFETCH(QString, line);
    QCOMPARE(planLine(caption), line);
    SeatPlan plan;
    plan[0] = caption;
    plan[34] = u"最后"_s;
    const QStringList items = readAll(planFileBytes(plan, true));
    QCOMPARE(items.size(), kSeats + 1);
    QCOMPARE(items[0], caption);
    QCOMPARE(items[1], u"NULL"_s);
    QCOMPARE(items.mid(kSeats - 1), (QStringList{"最后", "back"}));
}

void TestPlanFile::oldFilesWithCommasReadAsBefore() {
    // Files written before captions were quoted: a comma splits the line
    // and every later seat moves on by one; at start-up the pushed-out last
    // seat is read as the podium marker.
    QByteArray bytes = common::toAnsi(u"张三,3\r\n");
    for (int seat = 1; seat < 34; ++seat)
        bytes += u"s%1\r\n"_s.arg(seat).toLatin1();
    bytes += "BACK\r\n";
    const QStringList items = readAll(bytes, kSeats + 1);
    SeatPlan plan;
    bool back = false;
    applyStartupItems(plan, back, std::vector<QString>(items.begin(), items.end()));
    QCOMPARE(plan[0], u"张三"_s);
    QCOMPARE(plan[1], u"3"_s);
    QCOMPARE(plan[34], u"s33"_s);
    QVERIFY(back);
}

void TestPlanFile::openAndStartupDiffer() {
    SeatPlan before;
    before.fill(u"旧"_s);
    const std::vector<QString> items{u"a"_s, u"NuLl"_s, u"c"_s};
    SeatPlan opened = before, loaded = before;
    bool back = false;
    applyOpenedItems(opened, items);
    applyStartupItems(loaded, back, items);
    // "NULL" and a file too short: Open empties those seats, the start-up
    // load keeps their captions.
    SeatPlan expected;
    expected[0] = u"a"_s;
    expected[2] = u"c"_s;
    QCOMPARE(opened, expected);
    before[0] = u"a"_s;
    before[2] = u"c"_s;
    QCOMPARE(loaded, before);
    QVERIFY(!back);
    // Only a 36th item that reads "back" as a whole is the podium marker.
    applyStartupItems(loaded, back, std::vector<QString>(kSeats + 1, u"backstage"_s));
    QVERIFY(!back);
}

QTEST_MAIN(TestPlanFile)
#include "tst_planfile.moc"
