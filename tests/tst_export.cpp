// The table document "另存为" writes: its exact bytes, and the window's export
// as a user drives it, with a scripted desktop answering the save dialog and
// the question.

#include "ansitext.h"
#include "export.h"
#include "scripteddesktop.h"
#include "testfiles.h"
#include "window.h"

#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace quorlen;

namespace {
const QByteArray kTableTag = "<table  align=center border=1 cellpadding=10 cellspacing=0 "
                             "width=90% bordercolor=#CC99FF style='border-collapse: collapse'>";

// Seat (c, r) holds "张c-r", so every cell tells where it came from.
SeatPlan placedPlan() {
    SeatPlan plan;
    for (int column = 0; column < kColumns; ++column)
        for (int row = 0; row < kRows; ++row)
            plan[seatIndex(column, row)] = QStringLiteral("张%1-%2").arg(column).arg(row);
    return plan;
}

// The document cut at CR LF, checking on the way that no line ends otherwise.
QList<QByteArray> documentLines(const QByteArray& bytes) {
    QList<QByteArray> lines = bytes.split('\n');
    const QByteArray rest = lines.takeLast();
    if (!rest.isEmpty())
        return {}; // the last line has no CR LF
    for (QByteArray& line : lines) {
        if (!line.endsWith('\r') || line.count('\r') != 1)
            return {};
        line.chop(1);
    }
    return lines;
}

void clickExport(Form1& window) {
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Command4")), Qt::LeftButton);
}

QString here(const QString& name) {
    return QDir::current().filePath(name);
}
} // namespace

class TestExport : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void emptyPlan();
    void cellsStandAsOnScreen_data();
    void cellsStandAsOnScreen();
    void captionsGoInUnchanged_data();
    void captionsGoInUnchanged();

    void exportAsksAndOpens_data();
    void exportAsksAndOpens();
    void cancelDoesNothing();
    void namesGetTheExtension_data();
    void namesGetTheExtension();
    void openedPlanExportsBesideIt();
    void secondExportReplacesTheFirst();
    void podiumSideDoesNotMatter();

private:
    QTemporaryDir* m_dir = nullptr;
    QString m_oldCurrent;
};

void TestExport::init() {
    m_oldCurrent = QDir::currentPath();
    m_dir = new QTemporaryDir;
    QVERIFY(QDir::setCurrent(m_dir->path()));
}

void TestExport::cleanup() {
    QDir::setCurrent(m_oldCurrent);
    delete m_dir;
    m_dir = nullptr;
}

void TestExport::emptyPlan() {
    QCOMPARE(kTableTag.size(), 123);
    const QByteArray row = "<tr>\r\n" + QByteArray("<td></td>\r\n").repeated(5) + "</tr>\r\n";
    QCOMPARE(tableDocument(SeatPlan{}), kTableTag + "\r\n" + row.repeated(7) + "</table>\r\n");
}

void TestExport::cellsStandAsOnScreen_data() {
    QTest::addColumn<int>("line");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("table tag") << 1 << kTableTag;
    QTest::newRow("front row opens") << 2 << QByteArray("<tr>");
    QTest::newRow("front left") << 3
                                << QByteArray("<td>\xD5\xC5"
                                              "0-0</td>");
    QTest::newRow("front, second column") << 4
                                          << QByteArray("<td>\xD5\xC5"
                                                        "1-0</td>");
    QTest::newRow("front right") << 7
                                 << QByteArray("<td>\xD5\xC5"
                                               "4-0</td>");
    QTest::newRow("front row closes") << 8 << QByteArray("</tr>");
    QTest::newRow("second row, left") << 10
                                      << QByteArray("<td>\xD5\xC5"
                                                    "0-1</td>");
    QTest::newRow("middle row, centre") << 26
                                        << QByteArray("<td>\xD5\xC5"
                                                      "2-3</td>");
    QTest::newRow("back row opens") << 44 << QByteArray("<tr>");
    QTest::newRow("back left") << 45
                               << QByteArray("<td>\xD5\xC5"
                                             "0-6</td>");
    QTest::newRow("back right") << 49
                                << QByteArray("<td>\xD5\xC5"
                                              "4-6</td>");
    QTest::newRow("last line") << 51 << QByteArray("</table>");
}

void TestExport::cellsStandAsOnScreen() {
    QFETCH(int, line);
    QFETCH(QByteArray, content);
    const QList<QByteArray> lines = documentLines(tableDocument(placedPlan()));
    QCOMPARE(lines.size(), 51);
    QCOMPARE(lines[line - 1], content);
}

void TestExport::captionsGoInUnchanged_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QByteArray>("cell");
    QTest::newRow("markup") << QStringLiteral("<b>A&B</b>") << QByteArray("<td><b>A&B</b></td>");
    QTest::newRow("entity-like") << QStringLiteral("&amp; &lt;")
                                 << QByteArray("<td>&amp; &lt;</td>");
    QTest::newRow("tab and blanks") << QStringLiteral(" a\tb ") << QByteArray("<td> a\tb </td>");
    QTest::newRow("missing from GBK") << QStringLiteral("李😀한")
                                      << QByteArray("<td>\xC0\xEE?"
                                                    "?</td>");
    QTest::newRow("NULL is a name here") << QStringLiteral("NULL") << QByteArray("<td>NULL</td>");
}

void TestExport::captionsGoInUnchanged() {
    QFETCH(QString, caption);
    QFETCH(QByteArray, cell);
    SeatPlan plan;
    plan[seatIndex(1, 1)] = caption;
    const QList<QByteArray> lines = documentLines(tableDocument(plan));
    QCOMPARE(lines.size(), 51);
    QCOMPARE(lines[10], cell);
    QCOMPARE(lines[9], QByteArray("<td></td>"));
    QCOMPARE(lines[11], QByteArray("<td></td>"));
}

void TestExport::exportAsksAndOpens_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes opens the file") << true;
    QTest::newRow("No opens nothing") << false;
}

void TestExport::exportAsksAndOpens() {
    QFETCH(bool, yes);
    ScriptedDesktop desktop;
    Form1 window(desktop);
    window.show();
    window.setSeatPlan(placedPlan());
    window.swapSeat(4); // a pending first click survives the export
    const QString path = here(QStringLiteral("plan.rtf"));
    desktop.fileNames.enqueue(path);
    desktop.answers.enqueue(yes);
    clickExport(window);

    QCOMPARE(desktop.kinds(), (QStringList{QStringLiteral("save"), QStringLiteral("ask")}));
    QCOMPARE(desktop.shown[0].title, QStringLiteral("保存"));
    QCOMPARE(desktop.shown[0].filter, QStringLiteral("RTF文件(*.rtf)|*.rtf"));
    QCOMPARE(desktop.offeredNames, QStringList{QString()});
    QCOMPARE(desktop.shown[1].text, QStringLiteral("保存完成，是否立即打开查看？"));
    QCOMPARE(desktop.shown[1].title, QStringLiteral("保存完成"));
    QCOMPARE(fileBytes(path), tableDocument(placedPlan()));
    QCOMPARE(desktop.openedDocuments, yes ? QStringList{path} : QStringList{});
    QCOMPARE(window.currentFileName(), path);
    QCOMPARE(window.seatPlan(), placedPlan());
    QVERIFY(!window.podiumBack());
    QVERIFY(window.selectionPending());
    QCOMPARE(window.selectedSeat(), 4);
}

void TestExport::cancelDoesNothing() {
    ScriptedDesktop desktop;
    Form1 window(desktop);
    window.show();
    window.setSeatPlan(placedPlan());
    desktop.fileNames.enqueue(here(QStringLiteral("first")));
    clickExport(window);
    const QString written = here(QStringLiteral("first.rtf"));
    const QByteArray before = fileBytes(written);

    // A cancel writes nothing, not even to the name chosen last time, and
    // keeps that name on offer.
    window.setSeatPlan(SeatPlan{});
    desktop.shown.clear();
    desktop.fileNames.enqueue(QString());
    clickExport(window);
    QCOMPARE(desktop.kinds(), QStringList{QStringLiteral("save")});
    QCOMPARE(fileBytes(written), before);
    QCOMPARE(window.currentFileName(), written);
    desktop.fileNames.enqueue(QString());
    clickExport(window);
    QCOMPARE(desktop.offeredNames, (QStringList{QString(), here(QStringLiteral("first")),
                                                here(QStringLiteral("first"))}));
    QCOMPARE(QDir().entryList(QDir::Files), QStringList{QStringLiteral("first.rtf")});
}

// The name rule itself is tested with the shared file-name helpers; here,
// that the document lands under the name the rule gives.
void TestExport::namesGetTheExtension_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("none") << "plan"
                          << "plan.rtf";
    QTest::newRow("upper case") << "plan.RTF"
                                << "plan.RTF";
    QTest::newRow("another") << "plan.doc"
                             << "plan.doc.rtf";
    QTest::newRow("chinese and blanks") << "三年 二班 座位"
                                        << "三年 二班 座位.rtf";
}

void TestExport::namesGetTheExtension() {
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    ScriptedDesktop desktop;
    Form1 window(desktop);
    desktop.fileNames.enqueue(here(chosen));
    clickExport(window);
    QCOMPARE(QDir().entryList(QDir::Files), QStringList{written});
    QCOMPARE(fileBytes(written), tableDocument(SeatPlan{}));
    QCOMPARE(window.currentFileName(), here(written));
    // The dialog offers what it returned, without the extension added.
    desktop.fileNames.enqueue(QString());
    clickExport(window);
    QCOMPARE(desktop.offeredNames.last(), here(chosen));
}

void TestExport::openedPlanExportsBesideIt() {
    QVERIFY(writeBytes(QStringLiteral("plan.txt"), common::ansiLines({QStringLiteral("王五")})));
    ScriptedDesktop desktop;
    Form1 window(desktop);
    window.show();
    desktop.fileNames.enqueue(here(QStringLiteral("plan.txt")));
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Command2")), Qt::LeftButton);
    // Accepting the name the save dialog offers.
    desktop.fileNames.enqueue(here(QStringLiteral("plan.txt")));
    clickExport(window);
    QCOMPARE(desktop.offeredNames.last(), here(QStringLiteral("plan.txt")));
    QCOMPARE(window.currentFileName(), here(QStringLiteral("plan.txt.rtf")));
    QCOMPARE(documentLines(fileBytes(QStringLiteral("plan.txt.rtf")))[2],
             QByteArray("<td>\xCD\xF5\xCE\xE5</td>"));
    QCOMPARE(fileBytes(QStringLiteral("plan.txt")), common::ansiLines({QStringLiteral("王五")}));
}

void TestExport::secondExportReplacesTheFirst() {
    ScriptedDesktop desktop;
    Form1 window(desktop);
    SeatPlan big;
    big.fill(QString(200, QChar(u'长')));
    window.setSeatPlan(big);
    desktop.fileNames.enqueue(here(QStringLiteral("plan")));
    clickExport(window);
    window.setSeatPlan(placedPlan());
    desktop.fileNames.enqueue(here(QStringLiteral("plan.rtf")));
    clickExport(window);
    QCOMPARE(fileBytes(QStringLiteral("plan.rtf")), tableDocument(placedPlan()));
    QCOMPARE(QDir().entryList(QDir::Files), QStringList{QStringLiteral("plan.rtf")});
}

void TestExport::podiumSideDoesNotMatter() {
    ScriptedDesktop desktop;
    Form1 window(desktop);
    window.show();
    window.setSeatPlan(placedPlan());
    desktop.fileNames.enqueue(here(QStringLiteral("front")));
    clickExport(window);
    window.togglePodium();
    QVERIFY(window.podiumBack());
    desktop.fileNames.enqueue(here(QStringLiteral("back")));
    clickExport(window);
    QCOMPARE(fileBytes(QStringLiteral("back.rtf")), fileBytes(QStringLiteral("front.rtf")));
    QCOMPARE(fileBytes(QStringLiteral("back.rtf")), tableDocument(placedPlan()));
    QVERIFY(window.podiumBack());
}

QTEST_MAIN(TestExport)
#include "tst_export.moc"
