// Quorlen's main window driven as a user drives it: real clicks on the real
// buttons, a scripted desktop answering the dialogs, and the bytes of the
// files it writes.

#include "ansitext.h"
#include "planfile.h"
#include "window.h"
#include "windowdriver.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace quorlen;
using namespace Qt::StringLiterals;
using common::px;

namespace {
QStringList namedLines(int count) {
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << u"学生%1"_s.arg(i);
    return lines;
}

} // namespace

class TestSeatingWindow : public QObject {
    Q_OBJECT
private slots:
    void startsEmpty();
    void saveThenStartAgain();
    void unreadableSavedPlanIsToldOnce();
    void swapsAndPodium();
    void open();
};

void TestSeatingWindow::startsEmpty() {
    Shown<Form1> q;
    Form1& window = q.window;
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowTitle(), u"Tavrin"_s);
    QCOMPARE(window.frameGeometry().width(), px(6880));
    QCOMPARE(window.seatPlan(), SeatPlan{});
    QCOMPARE(window.currentFileName(), u"default.txt"_s);
    QVERIFY(!window.selectionPending());
    QCOMPARE(child<QLineEdit>(window, u"Text1"_s)->text(), u"  讲  台"_s);
    QCOMPARE(podium(window), u"front"_s);
    auto* frame = child<QGroupBox>(window, u"Frame1"_s);
    QVERIFY(frame->isHidden());
    QCOMPARE(frame->pos(), QPoint(px(120), px(120)));
    QCOMPARE(child<QLabel>(window, u"Label1"_s)->text().count(u'\n'), 5);

    // The three status-bar panels, left to right, all inside the narrowed
    // window, each showing its whole text.
    const QStringList panels{"Tavrin http", "版本:1.2.1", "设计："};
    int lastLeft = -1;
    for (int i = 0; i < panels.size(); ++i) {
        auto* panel = child<QLabel>(window, u"StatusBar1_%1"_s.arg(i + 1));
        QVERIFY2(panel->text().startsWith(panels[i]), qPrintable(panel->text()));
        const QRect r(panel->mapTo(&window, QPoint(0, 0)), panel->size());
        QVERIFY(panel->isVisible() && window.rect().contains(r) && r.x() > lastLeft);
        QVERIFY2(panel->width() >= panel->minimumSizeHint().width(), qPrintable(panel->text()));
        lastLeft = r.x();
    }
    // Seats stand column by column: seat 7 heads the second column.
    const QList<QPair<int, QPoint>> seats{
        {0, {120, 720}}, {6, {120, 3600}}, {7, {1470, 720}}, {34, {5520, 3600}}};
    for (const auto& [seat, twips] : seats)
        QCOMPARE(child(window, u"Command1_%1"_s.arg(seat))->pos(),
                 QPoint(px(twips.x()), px(twips.y())));
    QVERIFY(q.desktop.shown.isEmpty());
}

// Save writes default.txt, and the next start shows the plan again, the
// podium side included: a long caption whole, an odd one exactly.
void TestSeatingWindow::saveThenStartAgain() {
    Shown<Form1> q;
    SeatPlan plan;
    plan[0] = u"学生0"_s;
    plan[5] = QString(100000, u'长') + u",尾"_s;
    plan[6] = u"  \"A&B\"  "_s;
    q.window.setSeatPlan(plan);
    click(q.window, u"Command6"_s);
    click(q.window, u"Command3"_s);
    QCOMPARE(q.desktop.kinds(), QStringList{"inform"});
    QCOMPARE(q.desktop.shown[0].text, u"保存完成"_s);
    QCOMPARE(q.desktop.shown[0].title, u"保存完成"_s);
    QCOMPARE(fileBytes(kDefaultPlanFile), planFileBytes(plan, true));

    ScriptedDesktop desktop;
    Form1 again(desktop);
    QCOMPARE(again.seatPlan(), plan);
    QCOMPARE(podium(again), u"back"_s);
    QVERIFY(child<QPushButton>(again, u"Command1_5"_s)->text().size() < 50);
    QCOMPARE(child<QPushButton>(again, u"Command1_6"_s)->text(), u"  \"A&&B\"  "_s);
    QVERIFY(desktop.shown.isEmpty());
}

void TestSeatingWindow::unreadableSavedPlanIsToldOnce() {
    TemporaryCurrentDir folder;
    QVERIFY(QDir().mkdir(kDefaultPlanFile));
    ScriptedDesktop desktop;
    Form1 window(desktop);
    QVERIFY(desktop.shown.isEmpty()); // not before the window is up
    window.show();
    QTRY_COMPARE(desktop.kinds(), QStringList{"error"});
    QVERIFY(desktop.shown[0].text.startsWith(u"无法读取上次保存的座位表"_s));
    QVERIFY(desktop.shown[0].text.contains(here(kDefaultPlanFile)));
    QCOMPARE(desktop.shown[0].title, u"Tavrin"_s);
    QCOMPARE(window.seatPlan(), SeatPlan{});
    window.hide();
    window.show();
    QTest::qWait(20);
    QCOMPARE(desktop.shown.size(), 1);
}

void TestSeatingWindow::swapsAndPodium() {
    Shown<Form1> q;
    Form1& window = q.window;
    SeatPlan plan;
    for (int seat = 0; seat < 5; ++seat)
        plan[seat] = u"学生%1"_s.arg(seat);
    window.setSeatPlan(plan);

    // The same seat twice changes nothing and ends the selection.
    clickSeat(window, 3);
    QVERIFY(window.selectionPending());
    QCOMPARE(window.selectedSeat(), 3);
    clickSeat(window, 3);
    QVERIFY(!window.selectionPending());
    QCOMPARE(window.seatPlan(), plan);

    // An occupied seat, then an empty one: the student moves; and back.
    clickSeat(window, 1);
    clickSeat(window, 20);
    QCOMPARE(shownCaption(window, 1), QString());
    QCOMPARE(shownCaption(window, 20), u"学生1"_s);
    clickSeat(window, 1);
    clickSeat(window, 20);
    QCOMPARE(window.seatPlan(), plan);

    // The podium goes to the back and returns; a pending selection survives
    // it and swaps by seat index.
    clickSeat(window, 0);
    click(window, u"Command6"_s);
    QCOMPARE(podium(window), u"back"_s);
    clickSeat(window, 4);
    QCOMPARE(shownCaption(window, 0), u"学生4"_s);
    QCOMPARE(shownCaption(window, 4), u"学生0"_s);
    click(window, u"Command6"_s);
    QCOMPARE(podium(window), u"front"_s);
    QVERIFY(q.desktop.shown.isEmpty());
}

// Open replaces every seat from any text file, never the podium, and changes
// nothing when it reads nothing.
void TestSeatingWindow::open() {
    Shown<Form1> q;
    Form1& window = q.window;
    ScriptedDesktop& desktop = q.desktop;
    SeatPlan plan;
    plan.fill(u"旧"_s);
    window.setSeatPlan(plan);
    clickSeat(window, 2); // a pending selection survives Open

    QStringList lines = namedLines(10);
    lines[4] = u"Null"_s;
    QVERIFY(writeBytes(u"ten.txt"_s, common::ansiLines(lines)));
    desktop.fileNames.enqueue(here(u"ten.txt"_s));
    click(window, u"Command2"_s);
    QCOMPARE(desktop.kinds(), (QStringList{"open", "inform"}));
    QCOMPARE(desktop.shown[0].title, u"打开"_s);
    QCOMPARE(desktop.shown[0].filter, u"Txt files(*.txt)|*.txt|All files(*.*)|*.*"_s);
    QCOMPARE(desktop.shown[1].text, u"打开完成"_s);
    QCOMPARE(desktop.shown[1].title, u"打开完成"_s);
    plan = SeatPlan{};
    std::copy(lines.begin(), lines.end(), plan.begin());
    plan[4].clear();
    QCOMPARE(window.seatPlan(), plan);
    QCOMPARE(window.currentFileName(), here(u"ten.txt"_s));
    QVERIFY(window.selectionPending());

    // A 36th item "back" is not read by Open; Save still writes default.txt.
    const QByteArray withBack = common::ansiLines(namedLines(35) << "back");
    QVERIFY(writeBytes(u"back.txt"_s, withBack));
    desktop.fileNames.enqueue(here(u"back.txt"_s));
    click(window, u"Command2"_s);
    QCOMPARE(podium(window), u"front"_s);
    click(window, u"Command3"_s);
    QCOMPARE(fileBytes(kDefaultPlanFile), common::ansiLines(namedLines(35)));
    QCOMPARE(fileBytes(u"back.txt"_s), withBack);

    // A cancel reads nothing, not even the name chosen before, which the
    // dialog offers again.
    plan = window.seatPlan();
    QVERIFY(writeBytes(u"back.txt"_s, "changed"));
    desktop.shown.clear();
    desktop.fileNames.enqueue(QString());
    click(window, u"Command2"_s);
    QCOMPARE(desktop.kinds(), QStringList{"open"});
    QCOMPARE(window.seatPlan(), plan);
    QCOMPARE(window.currentFileName(), here(u"back.txt"_s));
    QCOMPARE(desktop.offeredNames, (QStringList{{}, here(u"ten.txt"_s), here(u"back.txt"_s)}));

    // A file gone after the dialog, and a folder: the reason is told and no
    // seat changes.
    QVERIFY(QDir().mkdir(u"folder"_s));
    for (const QString& name : {u"gone.txt"_s, u"folder"_s}) {
        desktop.shown.clear();
        desktop.fileNames.enqueue(here(name));
        click(window, u"Command2"_s);
        QCOMPARE(desktop.kinds(), (QStringList{"open", "error"}));
        QVERIFY(desktop.shown[1].text.startsWith(u"无法打开座位表，座位没有改变。"_s));
        QVERIFY(desktop.shown[1].text.contains(here(name)));
        QCOMPARE(window.seatPlan(), plan);
    }
}

QTEST_MAIN(TestSeatingWindow)
#include "tst_seatingwindow.moc"
