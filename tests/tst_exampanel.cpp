// Quorlen's whole-plan buttons and exam panel, driven through the real window:
// lists put into the panel's box as a paste puts them, real clicks on the
// buttons, and the seats, podium and selection afterwards; and the fill
// orders the patterns are generated from.

#include "fillorders.h"
#include "patterns.h"
#include "window.h"
#include "windowdriver.h"

#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QtTest>

using namespace quorlen;
using namespace Qt::StringLiterals;

namespace {
using SourceSeat = int (*)(int);

QPlainTextEdit* listBox(QWidget& window) {
    return child<QPlainTextEdit>(window, u"Text3"_s);
}

QWidget* panel(QWidget& window) {
    return child<QGroupBox>(window, u"Frame1"_s);
}

// `count` candidates as a paste brings them: one a line, CR LF between them.
QString numberedList(int count) {
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << u"考生%1"_s.arg(i);
    return lines.join(u"\r\n"_s);
}

// Captions as pasted lists bring them: numbered, but with empty and repeated
// ones, blanks, line breaks and characters that mean something to a button.
SeatPlan awkwardPlan() {
    SeatPlan plan;
    for (int seat = 0; seat < kSeats; ++seat)
        plan[seat] = seat % 6 == 0 ? QString() : u" 学生%1&\t\r\n,\""_s.arg(seat);
    plan[3] = plan[4];
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

// Opens the panel, pastes the list and presses the pattern button.
void arrange(Form1& window, const QString& button, const QString& list) {
    click(window, u"Command9"_s);
    QGuiApplication::clipboard()->setText(list);
    listBox(window)->paste();
    click(window, button);
}
} // namespace

Q_DECLARE_METATYPE(SourceSeat)

class TestExamPanel : public QObject {
    Q_OBJECT
private slots:
    void planMoveButtons_data();
    void planMoveButtons();
    void patterns_data();
    void patterns();
    void panelCoversAndComesBack();
    void fillOrders();
};

void TestExamPanel::planMoveButtons_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<SourceSeat>("source"); // the seat whose caption seat k holds afterwards
    QTest::addColumn<bool>("podiumBack");
    const auto row = [](const char* name, const char* button, SourceSeat source, bool back) {
        QTest::newRow(name) << QString::fromLatin1(button) << source << back;
    };
    row(
        "rotate", "Command5", [](int k) { return 34 - k; }, false);
    row(
        "rotate from the back", "Command5", [](int k) { return 34 - k; }, true);
    row(
        "flip up-down", "Command19", [](int k) { return 7 * (k / 7) + 6 - k % 7; }, false);
    row(
        "flip left-right", "Command20", [](int k) { return 7 * (4 - k / 7) + k % 7; }, true);
    row(
        "shift left", "Command7", [](int k) { return (k + 7) % 35; }, false);
    row(
        "shift right", "Command8", [](int k) { return (k + 28) % 35; }, false);
    row(
        "shift up", "Command22", [](int k) { return 7 * (k / 7) + (k % 7 + 1) % 7; }, true);
    row(
        "shift down", "Command21", [](int k) { return 7 * (k / 7) + (k % 7 + 6) % 7; }, false);
}

void TestExamPanel::planMoveButtons() {
    QFETCH(QString, button);
    QFETCH(SourceSeat, source);
    QFETCH(bool, podiumBack);
    Shown<Form1> q;
    Form1& window = q.window;
    window.setSeatPlan(awkwardPlan());
    if (podiumBack)
        click(window, u"Command6"_s);
    clickSeat(window, 0);

    click(window, button);
    SeatPlan moved;
    for (int k = 0; k < kSeats; ++k)
        moved[k] = awkwardPlan()[source(k)];
    QCOMPARE(window.seatPlan(), moved);
    // Only 旋转 turns the room round, podium included.
    QCOMPARE(podium(window), podiumBack != (button == u"Command5"_s) ? u"back"_s : u"front"_s);

    // The selection made before still means seat 0, whatever stands there now.
    clickSeat(window, 10);
    std::swap(moved[0], moved[10]);
    QCOMPARE(window.seatPlan(), moved);
    QVERIFY(q.desktop.shown.isEmpty());
}

void TestExamPanel::patterns_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QStringList>("captions"); // in fill order
    for (const QString& button : patternButtonNames()) {
        for (int count : {0, 1, 29, 30, 35, 36}) {
            QTest::addRow("%s, %d lines", qPrintable(button), count)
                << button << numberedList(count) << numberedList(count).split(u"\r\n"_s);
        }
    }
    // About 12 MB as GBK, as a whole school's list pasted by mistake would be.
    QTest::newRow("1000000 lines")
        << "Command10" << numberedList(1000000) << numberedList(35).split(u"\r\n"_s);
    const QString e;
    QTest::newRow("CR LF list: blanks, tabs, empty lines, final break")
        << "Command16" << u" 1 张三\t\r\n2 李四\r\n\r\n\t\r\n4 王五 \r\n"_s
        << QStringList{" 1 张三\t", "2 李四", e, "\t", "4 王五 "};
    QTest::newRow("only line breaks") << "Command16" << u"\r\n\r\n\r\n"_s << QStringList{};
    // The box breaks a line at a lone CR or LF as well; each line it shows
    // is one candidate, and no CR or LF ever reaches a seat.
    QTest::newRow("lone CR and LF break lines")
        << "Command16" << u"a\rb\nc\r\n\rd"_s << QStringList{"a", "b", "c", e, "d"};
    QTest::newRow("a line of 100000 characters")
        << "Command16" << (QString(100000, QChar(u'长')) + u"\r\n尾"_s)
        << QStringList{QString(100000, QChar(u'长')), "尾"};
}

void TestExamPanel::patterns() {
    QFETCH(QString, button);
    QFETCH(QString, pasted);
    QFETCH(QStringList, captions);
    Shown<Form1> q;
    Form1& window = q.window;
    SeatPlan old;
    old.fill(u"旧"_s);
    window.setSeatPlan(old);
    click(window, u"Command6"_s); // the podium at the back
    clickSeat(window, 34);        // pending from before the panel was opened

    QCOMPARE(child<QPushButton>(window, button)->text(), patternCaption(button));
    arrange(window, button, pasted);
    SeatPlan expected = expectedPlan(button, captions);
    QCOMPARE(window.seatPlan(), expected);
    // Only the reverse patterns start at the back right, and they turn the podium.
    QCOMPARE(podium(window), expectedOrder(button).first() == 34 ? u"front"_s : u"back"_s);
    QVERIFY(panel(window)->isHidden());
    QVERIFY(listBox(window)->toPlainText().isEmpty());
    // The selection made before still means seat 34, whoever sits there now.
    clickSeat(window, 0);
    std::swap(expected[0], expected[34]);
    QCOMPARE(window.seatPlan(), expected);
    // The same pattern again: a reverse one turns the podium back.
    arrange(window, button, QString());
    QCOMPARE(podium(window), u"back"_s);
    QVERIFY(q.desktop.shown.isEmpty());
}

void TestExamPanel::panelCoversAndComesBack() {
    Shown<Form1> q;
    Form1& window = q.window;
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.setSeatPlan(awkwardPlan());
    QWidget* frame = panel(window);
    QVERIFY(frame->isHidden());

    click(window, u"Command9"_s);
    QVERIFY(frame->isVisible());
    QVERIFY(listBox(window)->hasFocus());
    // Whatever lies under the grid, the podium boxes and the command buttons
    // is the panel: none of them can be seen or clicked while it is shown.
    QWidget* client = window.centralWidget();
    for (QWidget* widget : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        QWidget* top = client->childAt(widget->geometry().center());
        QVERIFY2(top == frame || frame->isAncestorOf(top), qPrintable(widget->objectName()));
    }

    // All six lines of the instructions can be read.
    auto* instructions = child<QLabel>(window, "Label1");
    QVERIFY(instructions->fontMetrics()
                .boundingRect(instructions->rect(),
                              int(instructions->alignment()) | Qt::TextWordWrap,
                              instructions->text())
                .height() <= instructions->height());

    // The pattern buttons stand in one column, in the handbook's order, "返回" last.
    int lastTop = -1;
    const QStringList column = patternButtonNames() << u"Command11"_s;
    for (const QString& name : column) {
        auto* button = child<QPushButton>(window, name);
        QVERIFY(button->y() > lastTop);
        QCOMPARE(button->x(), common::px(5040));
        lastTop = button->y();
    }
    QCOMPARE(child<QPushButton>(window, u"Command11"_s)->text(), u"返回"_s);

    // "返回" and Escape both leave the list and the plan as they are.
    QTest::keyClicks(listBox(window), u"abc"_s);
    QTest::keyClick(listBox(window), Qt::Key_Return);
    QTest::keyClicks(listBox(window), u" 2 de"_s);
    const QString typed = u"abc\n 2 de"_s;
    click(window, u"Command11"_s);
    QVERIFY(frame->isHidden());
    click(window, u"Command9"_s);
    QCOMPARE(listBox(window)->toPlainText(), typed);
    QTest::keyClick(listBox(window), Qt::Key_Escape);
    QVERIFY(frame->isHidden());
    QTest::keyClick(&window, Qt::Key_Escape); // nothing to leave now
    QVERIFY(frame->isHidden());
    click(window, u"Command9"_s);
    QCOMPARE(listBox(window)->toPlainText(), typed);
    QCOMPARE(window.seatPlan(), awkwardPlan());
    QVERIFY(q.desktop.shown.isEmpty());
}

// A reverse pattern fills in its forward twin's order, then turns.
void TestExamPanel::fillOrders() {
    for (const PatternButton& button : patternButtons()) {
        const SeatingPattern& pattern = button.pattern;
        QList<int> order;
        for (int seat : fillOrder(pattern.family, pattern.rows))
            order << (pattern.direction == SnakeDirection::Reverse ? 34 - seat : seat);
        QCOMPARE(order, expectedOrder(button.name));
    }
}

QTEST_MAIN(TestExamPanel)
#include "tst_exampanel.moc"
