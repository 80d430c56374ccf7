// Quorlen's main window driven as a user drives it: real clicks on the real
// buttons, a scripted desktop answering the dialogs, and the bytes of the
// files it writes.

#include "ansitext.h"
#include "planfile.h"
#include "scripteddesktop.h"
#include "testfiles.h"
#include "widgets.h"
#include "window.h"
#include "windowdriver.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace quorlen;

namespace {
QByteArray planWith(const QStringList& lines) {
    return common::ansiLines(lines);
}

QStringList namedLines(int count) {
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QStringLiteral("学生%1").arg(i);
    return lines;
}
} // namespace

class TestSeatingWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void startupState();
    void startupLoadsPlanAndPodium();
    void startupLoadOfUnreadablePlanTellsOnce();
    void swapCases();
    void podiumToggle();
    void saveWritesDefaultTxt();
    void openReplacesSeatsButNotThePodium();
    void openCancelAndFailures();
    void longCaptionSurvivesSaveAndLoad();

private:
    QTemporaryDir* m_dir = nullptr;
    QString m_oldCurrent;
};

void TestSeatingWindow::init() {
    m_oldCurrent = QDir::currentPath();
    m_dir = new QTemporaryDir;
    QVERIFY(QDir::setCurrent(m_dir->path()));
}

void TestSeatingWindow::cleanup() {
    QDir::setCurrent(m_oldCurrent);
    delete m_dir;
    m_dir = nullptr;
}

void TestSeatingWindow::startupState() {
    ScriptedDesktop desktop;
    Form1 window(desktop);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QCOMPARE(window.windowTitle(), QStringLiteral("Tavrin"));
    QCOMPARE(window.frameGeometry().width(), common::px(6880));
    QCOMPARE(window.seatPlan(), SeatPlan{});
    QVERIFY(child<QLineEdit>(window, "Text1")->isVisible());
    QVERIFY(!child<QLineEdit>(window, "Text2")->isVisible());
    QCOMPARE(child<QLineEdit>(window, "Text1")->text(), QStringLiteral("  讲  台"));
    auto* frame = child<QGroupBox>(window, "Frame1");
    QVERIFY(frame->isHidden());
    QCOMPARE(frame->pos(), QPoint(common::px(120), common::px(120)));
    QCOMPARE(child<QLabel>(window, "Label1")->text().split(QLatin1Char('\n')).size(), 6);
    QCOMPARE(window.currentFileName(), QStringLiteral("default.txt"));
    QVERIFY(!window.selectionPending());

    auto* panel1 = child<QLabel>(window, "StatusBar1_1");
    auto* panel2 = child<QLabel>(window, "StatusBar1_2");
    auto* panel3 = child<QLabel>(window, "StatusBar1_3");
    QVERIFY(panel1->text().startsWith(QStringLiteral("Tavrin http")));
    QCOMPARE(panel2->text(), QStringLiteral("版本:1.2.1"));
    QVERIFY(panel3->text().startsWith(QStringLiteral("设计：")));
    // All three panels lie inside the narrowed window, panel 3 last.
    for (QLabel* panel : {panel1, panel2, panel3}) {
        QVERIFY(panel->isVisible());
        const QRect r(panel->mapTo(&window, QPoint(0, 0)), panel->size());
        QVERIFY2(window.rect().contains(r), qPrintable(panel->objectName()));
    }
    QVERIFY(panel3->mapTo(&window, QPoint(0, 0)).x() > panel2->mapTo(&window, QPoint(0, 0)).x());
    // Seats stand column by column: seat 7 heads the second column.
    const auto seatPos = [&](int seat) {
        return child<QWidget>(window, QStringLiteral("Command1_%1").arg(seat))->pos();
    };
    QCOMPARE(seatPos(0), QPoint(common::px(120), common::px(720)));
    QCOMPARE(seatPos(6), QPoint(common::px(120), common::px(720 + 6 * 480)));
    QCOMPARE(seatPos(7), QPoint(common::px(1470), common::px(720)));
    QCOMPARE(seatPos(34), QPoint(common::px(5520), common::px(3600)));
    QVERIFY(desktop.shown.isEmpty());
}

void TestSeatingWindow::startupLoadsPlanAndPodium() {
    QStringList lines = namedLines(35);
    lines[3] = QStringLiteral("null");
    lines << QStringLiteral("BaCk");
    QVERIFY(writeBytes(QStringLiteral("default.txt"), planWith(lines)));
    ScriptedDesktop desktop;
    Form1 window(desktop);
    QCOMPARE(shownCaption(window, 0), QStringLiteral("学生0"));
    QCOMPARE(shownCaption(window, 3), QString());
    QCOMPARE(shownCaption(window, 34), QStringLiteral("学生34"));
    QVERIFY(window.podiumBack());
    QVERIFY(child<QLineEdit>(window, "Text1")->isHidden());
    QVERIFY(!child<QLineEdit>(window, "Text2")->isHidden());

    // Without the marker, and with a short file, the podium stays in front
    // and the remaining seats empty.
    QVERIFY(writeBytes(QStringLiteral("default.txt"), planWith(namedLines(10))));
    Form1 second(desktop);
    QVERIFY(!second.podiumBack());
    QCOMPARE(shownCaption(second, 9), QStringLiteral("学生9"));
    QCOMPARE(shownCaption(second, 10), QString());
    QVERIFY(desktop.shown.isEmpty());
}

void TestSeatingWindow::startupLoadOfUnreadablePlanTellsOnce() {
    QVERIFY(QDir().mkdir(QStringLiteral("default.txt")));
    ScriptedDesktop desktop;
    Form1 window(desktop);
    QVERIFY(desktop.shown.isEmpty()); // not before the window is up
    window.show();
    QTRY_COMPARE(desktop.kinds(), QStringList{QStringLiteral("error")});
    QVERIFY(desktop.shown[0].text.contains(QStringLiteral("default.txt")));
    QCOMPARE(window.seatPlan(), SeatPlan{});
    window.hide();
    window.show();
    QTest::qWait(20);
    QCOMPARE(desktop.shown.size(), 1);
}

void TestSeatingWindow::swapCases() {
    QVERIFY(writeBytes(QStringLiteral("default.txt"), planWith(namedLines(5))));
    ScriptedDesktop desktop;
    Form1 window(desktop);
    window.show();

    // The same seat twice changes nothing and ends the selection.
    clickSeat(window, 3);
    QVERIFY(window.selectionPending());
    QCOMPARE(window.selectedSeat(), 3);
    clickSeat(window, 3);
    QVERIFY(!window.selectionPending());
    QCOMPARE(window.selectedSeat(), 0);
    QCOMPARE(shownCaption(window, 3), QStringLiteral("学生3"));

    // An occupied seat, then an empty one: the student moves.
    clickSeat(window, 1);
    clickSeat(window, 20);
    QCOMPARE(shownCaption(window, 1), QString());
    QCOMPARE(shownCaption(window, 20), QStringLiteral("学生1"));
    // And back the other way round.
    clickSeat(window, 1);
    clickSeat(window, 20);
    QCOMPARE(shownCaption(window, 1), QStringLiteral("学生1"));
    QCOMPARE(shownCaption(window, 20), QString());

    // A pending selection survives a podium toggle and swaps by index.
    clickSeat(window, 0);
    click(window, QStringLiteral("Command6"));
    clickSeat(window, 4);
    QCOMPARE(shownCaption(window, 0), QStringLiteral("学生4"));
    QCOMPARE(shownCaption(window, 4), QStringLiteral("学生0"));
}

void TestSeatingWindow::podiumToggle() {
    ScriptedDesktop desktop;
    Form1 window(desktop);
    window.show();
    auto* front = child<QLineEdit>(window, "Text1");
    auto* back = child<QLineEdit>(window, "Text2");
    click(window, QStringLiteral("Command6"));
    QVERIFY(window.podiumBack());
    QVERIFY(front->isHidden() && back->isVisible());
    click(window, QStringLiteral("Command6"));
    QVERIFY(!window.podiumBack());
    QVERIFY(front->isVisible() && back->isHidden());
}

void TestSeatingWindow::saveWritesDefaultTxt() {
    ScriptedDesktop desktop;
    Form1 window(desktop);
    window.show();
    click(window, QStringLiteral("Command3"));
    QCOMPARE(fileBytes(QStringLiteral("default.txt")), planFileBytes(SeatPlan{}, false));
    QCOMPARE(desktop.kinds(), QStringList{QStringLiteral("inform")});
    QCOMPARE(desktop.shown[0].text, QStringLiteral("保存完成"));
    QCOMPARE(desktop.shown[0].title, QStringLiteral("保存完成"));

    // After opening another plan, Save still writes default.txt.
    QVERIFY(writeBytes(QStringLiteral("other.txt"), planWith(namedLines(35))));
    desktop.fileNames.enqueue(QDir::current().filePath(QStringLiteral("other.txt")));
    click(window, QStringLiteral("Command2"));
    click(window, QStringLiteral("Command6"));
    click(window, QStringLiteral("Command3"));
    QCOMPARE(fileBytes(QStringLiteral("default.txt")), planWith(namedLines(35) << "back"));
    QCOMPARE(fileBytes(QStringLiteral("other.txt")), planWith(namedLines(35)));
}

void TestSeatingWindow::openReplacesSeatsButNotThePodium() {
    ScriptedDesktop desktop;
    Form1 window(desktop);
    window.show();
    SeatPlan full;
    full.fill(QStringLiteral("旧"));
    window.setSeatPlan(full);
    clickSeat(window, 2); // a pending selection survives Open

    QStringList lines = namedLines(10);
    lines[4] = QStringLiteral("Null");
    QVERIFY(writeBytes(QStringLiteral("ten.txt"), planWith(lines)));
    const QString path = QDir::current().filePath(QStringLiteral("ten.txt"));
    desktop.fileNames.enqueue(path);
    click(window, QStringLiteral("Command2"));
    QCOMPARE(desktop.shown[0].kind, QStringLiteral("open"));
    QCOMPARE(desktop.shown[0].title, QStringLiteral("打开"));
    QCOMPARE(desktop.shown[0].filter, QStringLiteral("Txt files(*.txt)|*.txt|All files(*.*)|*.*"));
    QCOMPARE(desktop.shown[1].text, QStringLiteral("打开完成"));
    QCOMPARE(desktop.shown[1].title, QStringLiteral("打开完成"));
    QCOMPARE(shownCaption(window, 0), QStringLiteral("学生0"));
    QCOMPARE(shownCaption(window, 4), QString());
    QCOMPARE(shownCaption(window, 9), QStringLiteral("学生9"));
    for (int seat = 10; seat < 35; ++seat)
        QCOMPARE(shownCaption(window, seat), QString());
    QCOMPARE(window.currentFileName(), path);
    QVERIFY(window.selectionPending());

    // A 36th item "back" is ignored by Open: the podium stays in front.
    QVERIFY(writeBytes(QStringLiteral("back.txt"), planWith(namedLines(35) << "back")));
    desktop.fileNames.enqueue(QDir::current().filePath(QStringLiteral("back.txt")));
    click(window, QStringLiteral("Command2"));
    QVERIFY(!window.podiumBack());
    QCOMPARE(shownCaption(window, 34), QStringLiteral("学生34"));
    // The dialog offered the name it returned last time.
    QCOMPARE(desktop.offeredNames, (QStringList{QString(), path}));
}

void TestSeatingWindow::openCancelAndFailures() {
    ScriptedDesktop desktop;
    Form1 window(desktop);
    window.show();
    QVERIFY(writeBytes(QStringLiteral("plan.txt"), planWith(namedLines(35))));
    const QString path = QDir::current().filePath(QStringLiteral("plan.txt"));
    desktop.fileNames.enqueue(path);
    click(window, QStringLiteral("Command2"));
    SeatPlan plan = window.seatPlan();

    // A cancel reads nothing, not even the name chosen before.
    QVERIFY(writeBytes(QStringLiteral("plan.txt"), planWith({QStringLiteral("changed")})));
    desktop.shown.clear();
    desktop.fileNames.enqueue(QString());
    click(window, QStringLiteral("Command2"));
    QCOMPARE(desktop.kinds(), QStringList{QStringLiteral("open")});
    QCOMPARE(window.seatPlan(), plan);
    QCOMPARE(window.currentFileName(), path);

    // A file gone after the dialog, and a folder: the reason is told, no
    // seat changes and nothing claims the plan was opened.
    for (const QString& name : {QStringLiteral("gone.txt"), QStringLiteral("folder")}) {
        if (name == QStringLiteral("folder"))
            QVERIFY(QDir().mkdir(name));
        desktop.shown.clear();
        desktop.fileNames.enqueue(QDir::current().filePath(name));
        click(window, QStringLiteral("Command2"));
        QCOMPARE(desktop.kinds(), (QStringList{QStringLiteral("open"), QStringLiteral("error")}));
        QVERIFY(desktop.shown[1].text.contains(name));
        QCOMPARE(window.seatPlan(), plan);
    }
}

void TestSeatingWindow::longCaptionSurvivesSaveAndLoad() {
    const QString longName = QString(100000, QChar(u'长')) + QStringLiteral(",尾");
    {
        ScriptedDesktop desktop;
        Form1 window(desktop);
        window.show();
        SeatPlan plan;
        plan[5] = longName;
        plan[6] = QStringLiteral("  \"A&B\"  ");
        window.setSeatPlan(plan);
        auto* seat = child<QPushButton>(window, QStringLiteral("Command1_5"));
        QVERIFY(seat->text().size() < 50);
        click(window, QStringLiteral("Command3"));
    }
    ScriptedDesktop desktop;
    Form1 window(desktop);
    QCOMPARE(shownCaption(window, 5), longName);
    QCOMPARE(shownCaption(window, 6), QStringLiteral("  \"A&B\"  "));
    QCOMPARE(child<QPushButton>(window, QStringLiteral("Command1_6"))->text(),
             QStringLiteral("  \"A&&B\"  "));
}

QTEST_MAIN(TestSeatingWindow)
#include "tst_seatingwindow.moc"
