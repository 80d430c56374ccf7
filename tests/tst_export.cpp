// The table document "另存为" writes: its exact bytes, and the window's export
// as a user drives it, with a scripted desktop answering the save dialog and
// the question.

#include "ansitext.h"
#include "export.h"
#include "window.h"
#include "windowdriver.h"

#include <QtTest>

using namespace quorlen;
using namespace Qt::StringLiterals;

namespace {
const QByteArray kTableTag = "<table  align=center border=1 cellpadding=10 cellspacing=0 "
                             "width=90% bordercolor=#CC99FF style='border-collapse: collapse'>";

// Seat (c, r) holds "张c-r", so every cell tells where it came from.
SeatPlan placedPlan() {
    SeatPlan plan;
    for (int column = 0; column < kColumns; ++column)
        for (int row = 0; row < kRows; ++row)
            plan[seatIndex(column, row)] = u"张%1-%2"_s.arg(column).arg(row);
    return plan;
}

// The document cut at CR LF; nothing when any line ends otherwise.
QList<QByteArray> documentLines(const QByteArray& bytes) {
    QList<QByteArray> lines = bytes.split('\n');
    if (!lines.takeLast().isEmpty())
        return {};
    for (QByteArray& line : lines) {
        if (!line.endsWith('\r') || line.count('\r') != 1)
            return {};
        line.chop(1);
    }
    return lines;
}

// Presses "另存为" and answers the save dialog with `name` in the current
// folder, or cancels it when `name` is empty.
void exportAs(Shown<Form1>& q, const QString& name) {
    q.desktop.fileNames.enqueue(name.isEmpty() ? QString() : here(name));
    click(q.window, u"Command4"_s);
}
} // namespace

class TestExport : public QObject {
    Q_OBJECT
private slots:
    void document();
    void exportAsksAndOpens_data();
    void exportAsksAndOpens();
    void namesAndCancel_data();
    void namesAndCancel();
    void openedPlanExportsBesideIt();
};

void TestExport::document() {
    QCOMPARE(kTableTag.size(), 123);
    const QByteArray row = "<tr>\r\n" + "<td></td>\r\n"_ba.repeated(5) + "</tr>\r\n";
    QCOMPARE(tableDocument(SeatPlan{}), kTableTag + "\r\n" + row.repeated(7) + "</table>\r\n");

    // Cells stand as the seats do on screen: rows from the front, columns
    // from the left.
    QList<QByteArray> lines = documentLines(tableDocument(placedPlan()));
    QCOMPARE(lines.size(), 51);
    const QList<QPair<int, const char*>> cells{{3, "0-0"},  {4, "1-0"},  {7, "4-0"}, {10, "0-1"},
                                               {26, "2-3"}, {45, "0-6"}, {49, "4-6"}};
    for (const auto& [line, place] : cells)
        QCOMPARE(lines[line - 1], "<td>\xD5\xC5"_ba + place + "</td>");

    // Captions go in as they are, GBK, one "?" for each character GBK lacks.
    SeatPlan plan;
    const QStringList captions{"<b>A&B</b>", "&amp; &lt;", " a\tb ", u"李😀한"_s, "NULL"};
    for (int column = 0; column < kColumns; ++column)
        plan[seatIndex(column, 0)] = captions[column];
    lines = documentLines(tableDocument(plan));
    QCOMPARE(lines.size(), 51);
    QCOMPARE(lines.mid(2, 5),
             (QList<QByteArray>{"<td><b>A&B</b></td>", "<td>&amp; &lt;</td>", "<td> a\tb </td>",
                                "<td>\xC0\xEE\x3F\x3F</td>", // 李, then ? for 😀 and 한
                                "<td>NULL</td>"}));
}

void TestExport::exportAsksAndOpens_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes opens the file") << true;
    QTest::newRow("No opens nothing") << false;
}

void TestExport::exportAsksAndOpens() {
    QFETCH(bool, yes);
    Shown<Form1> q;
    q.window.setSeatPlan(placedPlan());
    clickSeat(q.window, 4);         // a pending first click survives the export
    click(q.window, u"Command6"_s); // and where the podium stands changes nothing
    q.desktop.answers.enqueue(yes);
    exportAs(q, u"plan.rtf"_s);

    QCOMPARE(q.desktop.kinds(), (QStringList{"save", "ask"}));
    QCOMPARE(q.desktop.shown[0].title, u"保存"_s);
    QCOMPARE(q.desktop.shown[0].filter, u"RTF文件(*.rtf)|*.rtf"_s);
    QCOMPARE(q.desktop.offeredNames, QStringList{QString()});
    QCOMPARE(q.desktop.shown[1].text, u"保存完成，是否立即打开查看？"_s);
    QCOMPARE(q.desktop.shown[1].title, u"保存完成"_s);
    const QString path = here(u"plan.rtf"_s);
    QCOMPARE(fileBytes(path), tableDocument(placedPlan()));
    QCOMPARE(q.desktop.openedDocuments, yes ? QStringList{path} : QStringList{});
    QCOMPARE(q.window.currentFileName(), path);
    QCOMPARE(q.window.seatPlan(), placedPlan());
    QCOMPARE(podium(q.window), u"back"_s);
    QVERIFY(q.window.selectionPending());
    QCOMPARE(q.window.selectedSeat(), 4);
}

// The name rule itself is tested with the shared file-name helpers; here,
// that the document lands under the name the rule gives, and that a cancel
// afterwards writes nothing, not even to that name, which stays on offer.
void TestExport::namesAndCancel_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("none") << u"plan"_s << u"plan.rtf"_s;
    QTest::newRow("upper case") << u"plan.RTF"_s << u"plan.RTF"_s;
    QTest::newRow("another") << u"plan.doc"_s << u"plan.doc.rtf"_s;
    QTest::newRow("chinese and blanks") << u"三年 二班 座位"_s << u"三年 二班 座位.rtf"_s;
}

void TestExport::namesAndCancel() {
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    Shown<Form1> q;
    exportAs(q, chosen);
    QCOMPARE(QDir().entryList(QDir::Files), QStringList{written});
    QCOMPARE(fileBytes(written), tableDocument(SeatPlan{}));
    QCOMPARE(q.window.currentFileName(), here(written));

    q.window.setSeatPlan(placedPlan());
    q.desktop.shown.clear();
    exportAs(q, QString());
    QCOMPARE(q.desktop.kinds(), QStringList{"save"});
    QCOMPARE(q.desktop.offeredNames.last(), here(chosen));
    QCOMPARE(fileBytes(written), tableDocument(SeatPlan{}));
    QCOMPARE(QDir().entryList(QDir::Files), QStringList{written});
    QCOMPARE(q.window.currentFileName(), here(written));
}

void TestExport::openedPlanExportsBesideIt() {
    Shown<Form1> q;
    const QByteArray plan = common::ansiLines({u"王五"_s});
    QVERIFY(writeBytes(u"plan.txt"_s, plan));
    q.desktop.fileNames.enqueue(here(u"plan.txt"_s));
    click(q.window, u"Command2"_s);
    // Accepting the name the save dialog offers.
    exportAs(q, u"plan.txt"_s);
    QCOMPARE(q.desktop.offeredNames.last(), here(u"plan.txt"_s));
    QCOMPARE(q.window.currentFileName(), here(u"plan.txt.rtf"_s));
    QCOMPARE(documentLines(fileBytes(u"plan.txt.rtf"_s))[2], "<td>\xCD\xF5\xCE\xE5</td>"_ba);
    QCOMPARE(fileBytes(u"plan.txt"_s), plan);
}

QTEST_MAIN(TestExport)
#include "tst_export.moc"
