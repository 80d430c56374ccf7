// Quorlen's whole-plan buttons and exam panel, driven through the real window:
// lists put into the panel's box as a paste puts them, real clicks on the
// pattern buttons, and the seats, podium and selection afterwards.

#include "fillorders.h"
#include "scripteddesktop.h"
#include "testfiles.h"
#include "transform.h"
#include "window.h"
#include "windowdriver.h"

#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>
#include <optional>

using namespace quorlen;

namespace {
using PlanMove = SeatPlan (*)(const SeatPlan&);

QPlainTextEdit* listBox(QWidget& window) {
    return child<QPlainTextEdit>(window, QStringLiteral("Text3"));
}

QWidget* panel(QWidget& window) {
    return child<QGroupBox>(window, QStringLiteral("Frame1"));
}

// What the first `count` candidates of a list look like once pasted: one a
// line, CR LF between them.
QString numberedList(int count) {
    QStringList lines;
    lines.reserve(count);
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("考生%1").arg(i);
    return lines.join(QStringLiteral("\r\n"));
}

SeatPlan numberedPlan() {
    SeatPlan plan;
    for (int seat = 0; seat < kSeats; ++seat)
        plan[seat] = QStringLiteral("学生%1").arg(seat);
    return plan;
}

// The plan a pattern must leave for these candidates, from the handbook's
// order.
SeatPlan expectedPlan(const QString& button, const QStringList& candidates) {
    const QList<int> seats = expectedOrder(button);
    SeatPlan plan;
    for (int p = 0; p < std::min(seats.size(), candidates.size()); ++p)
        plan[seats[p]] = candidates[p];
    return plan;
}

void arrange(Form1& window, const QString& button, const QString& list) {
    click(window, QStringLiteral("Command9"));
    listBox(window)->setPlainText(list);
    click(window, button);
}

bool reverse(const QString& button) {
    return QStringList{"Command10", "Command14", "Command15", "Command18"}.contains(button);
}

QStringList patternButtonNames() {
    QStringList names;
    for (const ExpectedOrder& order : expectedOrders())
        names << QString::fromLatin1(order.button);
    return names;
}
} // namespace

Q_DECLARE_METATYPE(PlanMove)

class TestExamPanel : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void planMoveButtons_data();
    void planMoveButtons();
    void patternsForEveryListLength_data();
    void patternsForEveryListLength();
    void listLinesBecomeCaptions_data();
    void listLinesBecomeCaptions();
    void pastedCrLfListHasNoStrayCr();
    void millionLineList();
    void podiumAndSelectionAcrossPatterns();
    void panelCoversAndComesBack();

private:
    std::optional<TemporaryCurrentDir> m_folder;
};

// Every window starts in an empty folder, so no plan is loaded at start.
void TestExamPanel::init() {
    m_folder.emplace();
    QVERIFY(m_folder->isCurrent());
}

void TestExamPanel::cleanup() {
    m_folder.reset();
}

void TestExamPanel::planMoveButtons_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<PlanMove>("move");
    QTest::addColumn<bool>("podiumBackBefore");
    QTest::addColumn<bool>("podiumBackAfter");
    QTest::newRow("旋转") << "Command5" << PlanMove(rotate) << false << true;
    QTest::newRow("旋转 from the back") << "Command5" << PlanMove(rotate) << true << false;
    QTest::newRow("上下翻转") << "Command19" << PlanMove(flipUpDown) << false << false;
    QTest::newRow("左右翻转") << "Command20" << PlanMove(flipLeftRight) << true << true;
    QTest::newRow("左移一列") << "Command7" << PlanMove(shiftLeft) << false << false;
    QTest::newRow("右移一列") << "Command8" << PlanMove(shiftRight) << false << false;
    QTest::newRow("上移一行") << "Command22" << PlanMove(shiftUp) << true << true;
    QTest::newRow("下移一行") << "Command21" << PlanMove(shiftDown) << false << false;
}

void TestExamPanel::planMoveButtons() {
    QFETCH(QString, button);
    QFETCH(PlanMove, move);
    QFETCH(bool, podiumBackBefore);
    QFETCH(bool, podiumBackAfter);
    ScriptedDesktop desktop;
    Form1 window(desktop);
    window.show();
    window.setSeatPlan(numberedPlan());
    if (podiumBackBefore)
        click(window, QStringLiteral("Command6"));
    clickSeat(window, 0);

    click(window, button);
    const SeatPlan moved = move(numberedPlan());
    QCOMPARE(window.seatPlan(), moved);
    QCOMPARE(window.podiumBack(), podiumBackAfter);
    QCOMPARE(child<QLineEdit>(window, "Text1")->isHidden(), podiumBackAfter);
    QCOMPARE(child<QLineEdit>(window, "Text2")->isHidden(), !podiumBackAfter);

    // The selection made before still means seat 0, whatever stands there now.
    QVERIFY(window.selectionPending());
    QCOMPARE(window.selectedSeat(), 0);
    clickSeat(window, 10);
    QCOMPARE(shownCaption(window, 0), moved[10]);
    QCOMPARE(shownCaption(window, 10), moved[0]);
    QVERIFY(desktop.shown.isEmpty());
}

void TestExamPanel::patternsForEveryListLength_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("count");
    for (const QString& button : patternButtonNames())
        for (int count : {0, 1, 29, 30, 35, 36, 100000})
            QTest::addRow("%s, %d lines", qPrintable(button), count) << button << count;
}

void TestExamPanel::patternsForEveryListLength() {
    QFETCH(QString, button);
    QFETCH(int, count);
    ScriptedDesktop desktop;
    Form1 window(desktop);
    window.show();
    SeatPlan old;
    old.fill(QStringLiteral("旧"));
    window.setSeatPlan(old);

    const QString list = numberedList(count);
    arrange(window, button, list);
    QCOMPARE(window.seatPlan(), expectedPlan(button, list.split(QStringLiteral("\r\n"))));
    QCOMPARE(window.podiumBack(), reverse(button));
    QVERIFY(panel(window)->isHidden());
    QVERIFY(listBox(window)->toPlainText().isEmpty());
    QVERIFY(desktop.shown.isEmpty());
}

void TestExamPanel::listLinesBecomeCaptions_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<QStringList>("captions"); // in fill order
    const QString e;
    QTest::newRow("blank line in the middle")
        << QStringLiteral("张三\r\n\r\n李四") << QStringList{"张三", e, "李四"};
    QTest::newRow("final line break")
        << QStringLiteral("张三\r\n李四\r\n") << QStringList{"张三", "李四"};
    QTest::newRow("blanks and tabs kept")
        << QStringLiteral(" \t \r\n\t\r\n 01 张三 \t") << QStringList{" \t ", "\t", " 01 张三 \t"};
    QTest::newRow("only line breaks") << QStringLiteral("\r\n\r\n\r\n") << QStringList{};
    // The box breaks a line at a lone CR or LF as well; each line it shows
    // is one candidate, and no CR or LF ever reaches a seat.
    QTest::newRow("lone CR and LF break lines")
        << QStringLiteral("a\rb\nc\r\n\rd") << QStringList{"a", "b", "c", e, "d"};
    QTest::newRow("a line of 100000 characters")
        << (QString(100000, QChar(u'长')) + QStringLiteral("\r\n尾"))
        << QStringList{QString(100000, QChar(u'长')), "尾"};
}

void TestExamPanel::listLinesBecomeCaptions() {
    QFETCH(QString, list);
    QFETCH(QStringList, captions);
    ScriptedDesktop desktop;
    Form1 window(desktop);
    window.show();
    arrange(window, QStringLiteral("Command12"), list);
    QCOMPARE(window.seatPlan(), expectedPlan(QStringLiteral("Command12"), captions));
}

void TestExamPanel::pastedCrLfListHasNoStrayCr() {
    ScriptedDesktop desktop;
    Form1 window(desktop);
    window.show();
    click(window, QStringLiteral("Command9"));
    QGuiApplication::clipboard()->setText(
        QStringLiteral("1 张三\r\n2 李四\r\n\r\n4 王五 \r\n5 赵六\r\n"));
    listBox(window)->paste();
    click(window, QStringLiteral("Command16"));
    const QStringList pasted{"1 张三", "2 李四", QString(), "4 王五 ", "5 赵六"};
    QCOMPARE(window.seatPlan(), expectedPlan(QStringLiteral("Command16"), pasted));
    for (const QString& caption : window.seatPlan())
        QVERIFY2(!caption.contains(QLatin1Char('\r')) && !caption.contains(QLatin1Char('\n')),
                 qPrintable(caption));
}

void TestExamPanel::millionLineList() {
    ScriptedDesktop desktop;
    Form1 window(desktop);
    window.show();
    // About 12 MB as GBK, as a whole school's list pasted by mistake would be.
    const QString list = numberedList(1000000);
    arrange(window, QStringLiteral("Command10"), list);
    QCOMPARE(window.seatPlan(), expectedPlan(QStringLiteral("Command10"),
                                             numberedList(35).split(QStringLiteral("\r\n"))));
    QVERIFY(panel(window)->isHidden());
    QCOMPARE(listBox(window)->document()->blockCount(), 1);
    QVERIFY(listBox(window)->toPlainText().isEmpty());
}

void TestExamPanel::podiumAndSelectionAcrossPatterns() {
    ScriptedDesktop desktop;
    Form1 window(desktop);
    window.show();
    click(window, QStringLiteral("Command6"));
    clickSeat(window, 34); // pending from before the panel was opened

    // Forward patterns leave the podium where it is; each reverse one turns
    // it, so two in a row bring it back.
    const QList<QPair<const char*, bool>> steps{
        {"Command12", true}, {"Command15", false}, {"Command15", true}, {"Command13", true}};
    for (const auto& [button, back] : steps) {
        arrange(window, QLatin1String(button), numberedList(35));
        QCOMPARE(window.podiumBack(), back);
        QVERIFY(window.selectionPending());
        QCOMPARE(window.selectedSeat(), 34);
    }
    // Column snake 6 forward: seat 34 is empty and seat 0 holds the first.
    const SeatPlan before = window.seatPlan();
    QCOMPARE(before[34], QString());
    clickSeat(window, 0);
    QCOMPARE(shownCaption(window, 34), QStringLiteral("考生1"));
    QCOMPARE(shownCaption(window, 0), QString());
    QVERIFY(!window.selectionPending());
}

void TestExamPanel::panelCoversAndComesBack() {
    ScriptedDesktop desktop;
    Form1 window(desktop);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.setSeatPlan(numberedPlan());
    QWidget* frame = panel(window);
    QVERIFY(frame->isHidden());

    click(window, QStringLiteral("Command9"));
    QVERIFY(frame->isVisible());
    QVERIFY(listBox(window)->hasFocus());
    // Whatever lies under the grid, the podium boxes and the command buttons
    // is the panel: none of them can be seen or clicked while it is shown.
    QWidget* client = window.centralWidget();
    for (QWidget* widget : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (widget == frame)
            continue;
        const QPoint centre = widget->geometry().center();
        QWidget* top = client->childAt(centre);
        QVERIFY2(top == frame || frame->isAncestorOf(top), qPrintable(widget->objectName()));
    }

    // All six lines of the instructions can be read.
    auto* instructions = child<QLabel>(window, "Label1");
    const QRect needed = instructions->fontMetrics().boundingRect(
        instructions->rect(), int(instructions->alignment()) | Qt::TextWordWrap,
        instructions->text());
    QVERIFY(needed.height() <= instructions->height());

    // The pattern buttons stand in one column, in the handbook's order.
    QStringList fromTop;
    int lastTop = -1;
    const QStringList column{"Command14", "Command13", "Command15", "Command16", "Command10",
                             "Command12", "Command18", "Command17", "Command11"};
    for (const QString& name : column) {
        auto* button = child<QPushButton>(window, name);
        QVERIFY(button->y() > lastTop);
        QCOMPARE(button->x(), common::px(5040));
        lastTop = button->y();
        fromTop << button->text();
    }
    QCOMPARE(fromTop,
             (QStringList{"竖S倒排(6*5)", "竖S正排(6*5)", "竖S倒排(7*5)", "竖S正排(7*5)",
                          "横S倒排(7*5)", "横S正排(7*5)", "横S倒排(6*5)", "横S正排(6*5)", "返回"}));

    // "返回" and Escape both leave the list and the plan as they are.
    QTest::keyClicks(listBox(window), QStringLiteral("abc"));
    QTest::keyClick(listBox(window), Qt::Key_Return);
    QTest::keyClicks(listBox(window), QStringLiteral(" 2 de"));
    const QString typed = QStringLiteral("abc\n 2 de");
    click(window, QStringLiteral("Command11"));
    QVERIFY(frame->isHidden());
    click(window, QStringLiteral("Command9"));
    QCOMPARE(listBox(window)->toPlainText(), typed);
    QTest::keyClick(listBox(window), Qt::Key_Escape);
    QVERIFY(frame->isHidden());
    QTest::keyClick(&window, Qt::Key_Escape); // nothing to leave now
    QVERIFY(frame->isHidden());
    click(window, QStringLiteral("Command9"));
    QCOMPARE(listBox(window)->toPlainText(), typed);
    QCOMPARE(window.seatPlan(), numberedPlan());
    QVERIFY(desktop.shown.isEmpty());
}

QTEST_MAIN(TestExamPanel)
#include "tst_exampanel.moc"
