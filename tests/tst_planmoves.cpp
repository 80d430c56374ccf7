// The whole-plan moves and the exam seating patterns as plain functions: each
// move checked seat by seat against its rule, the moves against each other on
// random plans, and every pattern against the orders and plans it must give.

#include "fillorders.h"
#include "patterns.h"
#include "transform.h"

#include <QRandomGenerator>
#include <QtTest>
#include <algorithm>

using namespace quorlen;
using namespace Qt::StringLiterals;

namespace {
using PlanMove = SeatPlan (*)(const SeatPlan&);
using SourceSeat = int (*)(int);

// Captions as pasted lists bring them: empty ones, repeated ones, blanks,
// line breaks and characters that mean something to a button.
SeatPlan randomPlan(QRandomGenerator& random) {
    static const QString alphabet = u"张三李四 \t&\r\n,\"ab"_s;
    SeatPlan plan;
    for (QString& caption : plan) {
        const int length = random.bounded(6);
        for (int i = 0; i < length; ++i)
            caption += alphabet[random.bounded(int(alphabet.size()))];
    }
    return plan;
}
} // namespace

Q_DECLARE_METATYPE(PlanMove)
Q_DECLARE_METATYPE(SourceSeat)

class TestPlanMoves : public QObject {
    Q_OBJECT
private slots:
    void mappingBySeatIndex_data();
    void mappingBySeatIndex();
    void movesCombine_data();
    void movesCombine();
    void patterns_data();
    void patterns();
};

void TestPlanMoves::mappingBySeatIndex_data() {
    QTest::addColumn<PlanMove>("move");
    QTest::addColumn<SourceSeat>("source"); // the seat whose caption seat k holds afterwards
    QTest::newRow("rotate") << PlanMove(rotate) << SourceSeat([](int k) { return 34 - k; });
    QTest::newRow("flip up-down") << PlanMove(flipUpDown)
                                  << SourceSeat([](int k) { return 7 * (k / 7) + 6 - k % 7; });
    QTest::newRow("flip left-right")
        << PlanMove(flipLeftRight) << SourceSeat([](int k) { return 7 * (4 - k / 7) + k % 7; });
    QTest::newRow("shift left") << PlanMove(shiftLeft)
                                << SourceSeat([](int k) { return (k + 7) % 35; });
    QTest::newRow("shift right") << PlanMove(shiftRight)
                                 << SourceSeat([](int k) { return (k + 28) % 35; });
    QTest::newRow("shift down") << PlanMove(shiftDown)
                                << SourceSeat([](int k) { return 7 * (k / 7) + (k % 7 + 6) % 7; });
    QTest::newRow("shift up") << PlanMove(shiftUp)
                              << SourceSeat([](int k) { return 7 * (k / 7) + (k % 7 + 1) % 7; });
}

void TestPlanMoves::mappingBySeatIndex() {
    QFETCH(PlanMove, move);
    QFETCH(SourceSeat, source);
    SeatPlan numbered;
    for (int seat = 0; seat < kSeats; ++seat)
        numbered[seat] = QString::number(seat);
    const SeatPlan after = move(numbered);
    for (int k = 0; k < kSeats; ++k)
        QCOMPARE(after[k], QString::number(source(k)));
}

void TestPlanMoves::movesCombine_data() {
    QTest::addColumn<QList<PlanMove>>("sequence");
    QTest::addColumn<PlanMove>("sameAs"); // null: the plan comes back unchanged
    const auto times = [](PlanMove move, int count) { return QList<PlanMove>(count, move); };
    QTest::newRow("rotate twice") << times(rotate, 2) << PlanMove{};
    QTest::newRow("flip up-down twice") << times(flipUpDown, 2) << PlanMove{};
    QTest::newRow("flip left-right twice") << times(flipLeftRight, 2) << PlanMove{};
    QTest::newRow("both flips") << QList<PlanMove>{flipUpDown, flipLeftRight} << PlanMove(rotate);
    QTest::newRow("both flips, other order")
        << QList<PlanMove>{flipLeftRight, flipUpDown} << PlanMove(rotate);
    QTest::newRow("five left") << times(shiftLeft, 5) << PlanMove{};
    QTest::newRow("five right") << times(shiftRight, 5) << PlanMove{};
    QTest::newRow("seven up") << times(shiftUp, 7) << PlanMove{};
    QTest::newRow("seven down") << times(shiftDown, 7) << PlanMove{};
    QTest::newRow("left then right") << QList<PlanMove>{shiftLeft, shiftRight} << PlanMove{};
    QTest::newRow("up then down") << QList<PlanMove>{shiftUp, shiftDown} << PlanMove{};
}

void TestPlanMoves::movesCombine() {
    QFETCH(QList<PlanMove>, sequence);
    QFETCH(PlanMove, sameAs);
    QRandomGenerator random(20240601);
    for (int round = 0; round < 200; ++round) {
        const SeatPlan plan = randomPlan(random);
        SeatPlan result = plan;
        for (PlanMove move : sequence)
            result = move(result);
        QCOMPARE(result, sameAs ? sameAs(plan) : plan);
    }
}

void TestPlanMoves::patterns_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("screen"); // rows from the top, "-" for an empty seat
    // clang-format off
    QTest::newRow("row snake 7 forward") << "Command12" << "1 2 3 4 5|10 9 8 7 6|11 12 13 14 15|20 19 18 17 16|21 22 23 24 25|30 29 28 27 26|31 32 33 34 35";
    QTest::newRow("row snake 7 reverse") << "Command10" << "35 34 33 32 31|26 27 28 29 30|25 24 23 22 21|16 17 18 19 20|15 14 13 12 11|6 7 8 9 10|5 4 3 2 1";
    QTest::newRow("row snake 6 forward") << "Command17" << "1 2 3 4 5|10 9 8 7 6|11 12 13 14 15|20 19 18 17 16|21 22 23 24 25|30 29 28 27 26|- - - - -";
    QTest::newRow("row snake 6 reverse") << "Command18" << "- - - - -|26 27 28 29 30|25 24 23 22 21|16 17 18 19 20|15 14 13 12 11|6 7 8 9 10|5 4 3 2 1";
    QTest::newRow("column snake 7 forward") << "Command16" << "1 14 15 28 29|2 13 16 27 30|3 12 17 26 31|4 11 18 25 32|5 10 19 24 33|6 9 20 23 34|7 8 21 22 35";
    QTest::newRow("column snake 7 reverse") << "Command15" << "35 22 21 8 7|34 23 20 9 6|33 24 19 10 5|32 25 18 11 4|31 26 17 12 3|30 27 16 13 2|29 28 15 14 1";
    QTest::newRow("column snake 6 forward") << "Command13" << "1 12 13 24 25|2 11 14 23 26|3 10 15 22 27|4 9 16 21 28|5 8 17 20 29|6 7 18 19 30|- - - - -";
    QTest::newRow("column snake 6 reverse") << "Command14" << "- - - - -|30 19 18 7 6|29 20 17 8 5|28 21 16 9 4|27 22 15 10 3|26 23 14 11 2|25 24 13 12 1";
    // clang-format on
}

void TestPlanMoves::patterns() {
    QFETCH(QString, button);
    QFETCH(QString, screen);
    const auto it = std::find_if(patternButtons().begin(), patternButtons().end(),
                                 [&](const PatternButton& b) { return button == b.name; });
    QVERIFY(it != patternButtons().end());
    const SeatingPattern pattern = it->pattern;

    // A reverse pattern fills in its forward twin's order, then turns.
    const bool reverse = pattern.direction == SnakeDirection::Reverse;
    QList<int> order;
    for (int seat : fillOrder(pattern.family, pattern.rows))
        order << (reverse ? 34 - seat : seat);
    QCOMPARE(order, expectedOrder(button));

    // 35 candidates: the plan as the handbook pictures it, the extra ones of
    // a 6-row pattern left out.
    std::vector<QString> candidates;
    for (int i = 1; i <= kSeats; ++i)
        candidates.push_back(QString::number(i));
    SeatPlan plan = filledPlan(pattern.family, pattern.rows, candidates);
    if (reverse)
        plan = rotate(plan);
    QStringList shown;
    for (int row = 0; row < kRows; ++row) {
        QStringList seats;
        for (int column = 0; column < kColumns; ++column) {
            const QString& caption = plan[seatIndex(column, row)];
            seats << (caption.isEmpty() ? u"-"_s : caption);
        }
        shown << seats.join(QLatin1Char(' '));
    }
    QCOMPARE(shown.join(QLatin1Char('|')), screen);
}

QTEST_APPLESS_MAIN(TestPlanMoves)
#include "tst_planmoves.moc"
