// The whole-plan moves and the exam seating orders as plain functions: each
// move checked seat by seat against its rule, and every pattern's order
// against the handbook's.

#include "fillorders.h"
#include "patterns.h"
#include "transform.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace quorlen;
using namespace Qt::StringLiterals;

namespace {
using PlanMove = SeatPlan (*)(const SeatPlan&);
using SourceSeat = int (*)(int);
} // namespace

Q_DECLARE_METATYPE(PlanMove)
Q_DECLARE_METATYPE(SourceSeat)

class TestPlanMoves : public QObject {
    Q_OBJECT
private slots:
    void mappingBySeatIndex_data();
    void mappingBySeatIndex();
    void fillOrders();
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

// On plans of captions as pasted lists bring them: empty ones, repeated ones,
// blanks, line breaks and characters that mean something to a button.
void TestPlanMoves::mappingBySeatIndex() {
    QFETCH(PlanMove, move);
    QFETCH(SourceSeat, source);
    const QString alphabet = u"张三李四 \t&\r\n,\"ab"_s;
    QRandomGenerator random(20240601);
    for (int round = 0; round < 200; ++round) {
        SeatPlan plan;
        for (QString& caption : plan)
            for (int length = random.bounded(6); length > 0; --length)
                caption += alphabet[random.bounded(int(alphabet.size()))];
        const SeatPlan after = move(plan);
        for (int k = 0; k < kSeats; ++k)
            QCOMPARE(after[k], plan[source(k)]);
    }
}

// A reverse pattern fills in its forward twin's order, then turns.
void TestPlanMoves::fillOrders() {
    for (const PatternButton& button : patternButtons()) {
        const SeatingPattern& pattern = button.pattern;
        QList<int> order;
        for (int seat : fillOrder(pattern.family, pattern.rows))
            order << (pattern.direction == SnakeDirection::Reverse ? 34 - seat : seat);
        QCOMPARE(order, expectedOrder(button.name));
    }
}

QTEST_APPLESS_MAIN(TestPlanMoves)
#include "tst_planmoves.moc"
