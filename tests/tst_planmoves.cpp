// The whole-plan moves and the exam seating patterns as plain functions: each
// move checked seat by seat against its rule, the moves against each other on
// random plans, and every pattern against the orders and plans it must give.

#include "fillorders.h"
#include "patterns.h"
#include "transform.h"

#include <QRandomGenerator>
#include <QtTest>
#include <algorithm>
#include <functional>

using namespace quorlen;

namespace {
using PlanMove = SeatPlan (*)(const SeatPlan&);

struct NamedMove {
    const char* name;
    PlanMove move;
    // The seat whose caption seat k holds afterwards, by seat index.
    std::function<int(int)> source;
};

const std::vector<NamedMove>& moves() {
    static const std::vector<NamedMove> list{
        {"rotate", rotate, [](int k) { return 34 - k; }},
        {"flip up-down", flipUpDown, [](int k) { return 7 * (k / 7) + 6 - k % 7; }},
        {"flip left-right", flipLeftRight, [](int k) { return 7 * (4 - k / 7) + k % 7; }},
        {"shift left", shiftLeft, [](int k) { return (k + 7) % 35; }},
        {"shift right", shiftRight, [](int k) { return (k + 28) % 35; }},
        {"shift down", shiftDown, [](int k) { return 7 * (k / 7) + (k % 7 + 6) % 7; }},
        {"shift up", shiftUp, [](int k) { return 7 * (k / 7) + (k % 7 + 1) % 7; }},
    };
    return list;
}

int moveIndex(const char* name) {
    const auto& list = moves();
    const auto it = std::find_if(list.begin(), list.end(),
                                 [&](const NamedMove& m) { return qstrcmp(m.name, name) == 0; });
    Q_ASSERT(it != list.end());
    return int(it - list.begin());
}

SeatPlan numberedPlan() {
    SeatPlan plan;
    for (int seat = 0; seat < kSeats; ++seat)
        plan[seat] = QString::number(seat);
    return plan;
}

// Captions as pasted lists bring them: empty ones, repeated ones, blanks,
// line breaks and characters that mean something to a button.
SeatPlan randomPlan(QRandomGenerator& random) {
    static const QString alphabet = QStringLiteral("张三李四 \t&\r\n,\"ab");
    SeatPlan plan;
    for (QString& caption : plan) {
        const int length = random.bounded(6);
        for (int i = 0; i < length; ++i)
            caption += alphabet[random.bounded(int(alphabet.size()))];
    }
    return plan;
}

std::vector<QString> candidates(int count) {
    std::vector<QString> list;
    for (int i = 1; i <= count; ++i)
        list.push_back(QString::number(i));
    return list;
}

const PatternButton& buttonNamed(const QString& name) {
    const auto& buttons = patternButtons();
    const auto it = std::find_if(buttons.begin(), buttons.end(),
                                 [&](const PatternButton& b) { return name == b.name; });
    if (it == buttons.end())
        qFatal("no pattern button %s", qPrintable(name));
    return *it;
}

// The plan a pattern leaves, the half turn of a reverse pattern included.
SeatPlan arranged(const SeatingPattern& pattern, const std::vector<QString>& list) {
    const SeatPlan plan = filledPlan(pattern.family, pattern.rows, list);
    return pattern.direction == SnakeDirection::Reverse ? rotate(plan) : plan;
}

} // namespace

class TestPlanMoves : public QObject {
    Q_OBJECT
private slots:
    void mappingBySeatIndex_data();
    void mappingBySeatIndex();
    void movesCombine_data();
    void movesCombine();
    void fillOrders_data();
    void fillOrders();
    void resultingPlans_data();
    void resultingPlans();
    void emptyCandidatesKeepTheirPlace();
};

void TestPlanMoves::mappingBySeatIndex_data() {
    QTest::addColumn<int>("move");
    for (size_t i = 0; i < moves().size(); ++i)
        QTest::newRow(moves()[i].name) << int(i);
}

void TestPlanMoves::mappingBySeatIndex() {
    QFETCH(int, move);
    const NamedMove& m = moves()[move];
    const SeatPlan after = m.move(numberedPlan());
    for (int k = 0; k < kSeats; ++k)
        QCOMPARE(after[k], QString::number(m.source(k)));
}

void TestPlanMoves::movesCombine_data() {
    QTest::addColumn<QStringList>("sequence");
    QTest::addColumn<QString>("sameAs"); // empty: the plan comes back unchanged
    const QString unchanged;
    const auto times = [](const char* move, int count) {
        return QStringList(count, QString::fromLatin1(move));
    };
    QTest::newRow("rotate twice") << times("rotate", 2) << unchanged;
    QTest::newRow("flip up-down twice") << times("flip up-down", 2) << unchanged;
    QTest::newRow("flip left-right twice") << times("flip left-right", 2) << unchanged;
    QTest::newRow("both flips") << QStringList{"flip up-down", "flip left-right"}
                                << QStringLiteral("rotate");
    QTest::newRow("both flips, other order")
        << QStringList{"flip left-right", "flip up-down"} << QStringLiteral("rotate");
    QTest::newRow("five left") << times("shift left", 5) << unchanged;
    QTest::newRow("five right") << times("shift right", 5) << unchanged;
    QTest::newRow("seven up") << times("shift up", 7) << unchanged;
    QTest::newRow("seven down") << times("shift down", 7) << unchanged;
    QTest::newRow("left then right") << QStringList{"shift left", "shift right"} << unchanged;
    QTest::newRow("right then left") << QStringList{"shift right", "shift left"} << unchanged;
    QTest::newRow("up then down") << QStringList{"shift up", "shift down"} << unchanged;
    QTest::newRow("four left are one right")
        << times("shift left", 4) << QStringLiteral("shift right");
    QTest::newRow("six down are one up") << times("shift down", 6) << QStringLiteral("shift up");
}

void TestPlanMoves::movesCombine() {
    QFETCH(QStringList, sequence);
    QFETCH(QString, sameAs);
    QRandomGenerator random(20240601);
    for (int round = 0; round < 200; ++round) {
        const SeatPlan plan = randomPlan(random);
        SeatPlan result = plan;
        for (const QString& name : sequence) {
            const SeatPlan before = result;
            result = moves()[moveIndex(qPrintable(name))].move(result);
            // Every single move only moves captions: none lost, none doubled.
            SeatPlan sortedBefore = before, sortedAfter = result;
            std::sort(sortedBefore.begin(), sortedBefore.end());
            std::sort(sortedAfter.begin(), sortedAfter.end());
            QCOMPARE(sortedAfter, sortedBefore);
        }
        const SeatPlan expected =
            sameAs.isEmpty() ? plan : moves()[moveIndex(qPrintable(sameAs))].move(plan);
        QCOMPARE(result, expected);
    }
}

void TestPlanMoves::fillOrders_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QList<int>>("seats"); // candidate p ends on seats[p]
    for (const ExpectedOrder& order : expectedOrders())
        QTest::newRow(order.button) << QString::fromLatin1(order.button) << order.seats;
}

void TestPlanMoves::fillOrders() {
    QFETCH(QString, button);
    QFETCH(QList<int>, seats);
    const SeatingPattern pattern = buttonNamed(button).pattern;
    // A reverse pattern fills in its forward twin's order, then turns.
    const bool reverse = pattern.direction == SnakeDirection::Reverse;
    QList<int> order;
    for (int seat : fillOrder(pattern.family, pattern.rows))
        order << (reverse ? 34 - seat : seat);
    QCOMPARE(order, seats);

    const SeatPlan plan = arranged(pattern, candidates(35));
    for (int p = 0; p < seats.size(); ++p)
        QCOMPARE(plan[seats[p]], QString::number(p + 1));
    QCOMPARE(std::count(plan.begin(), plan.end(), QString()), qsizetype(kSeats - seats.size()));
}

void TestPlanMoves::resultingPlans_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("screen"); // rows from the top, "-" for an empty seat
    QTest::newRow("row snake 7 forward")
        << "Command12"
        << QStringList{"1 2 3 4 5",      "10 9 8 7 6",     "11 12 13 14 15", "20 19 18 17 16",
                       "21 22 23 24 25", "30 29 28 27 26", "31 32 33 34 35"};
    QTest::newRow("row snake 7 reverse")
        << "Command10"
        << QStringList{"35 34 33 32 31", "26 27 28 29 30", "25 24 23 22 21", "16 17 18 19 20",
                       "15 14 13 12 11", "6 7 8 9 10",     "5 4 3 2 1"};
    QTest::newRow("row snake 6 forward")
        << "Command17"
        << QStringList{"1 2 3 4 5",      "10 9 8 7 6",     "11 12 13 14 15", "20 19 18 17 16",
                       "21 22 23 24 25", "30 29 28 27 26", "- - - - -"};
    QTest::newRow("row snake 6 reverse")
        << "Command18"
        << QStringList{"- - - - -",      "26 27 28 29 30", "25 24 23 22 21", "16 17 18 19 20",
                       "15 14 13 12 11", "6 7 8 9 10",     "5 4 3 2 1"};
    QTest::newRow("column snake 7 forward")
        << "Command16"
        << QStringList{"1 14 15 28 29", "2 13 16 27 30", "3 12 17 26 31", "4 11 18 25 32",
                       "5 10 19 24 33", "6 9 20 23 34",  "7 8 21 22 35"};
    QTest::newRow("column snake 7 reverse")
        << "Command15"
        << QStringList{"35 22 21 8 7",  "34 23 20 9 6",  "33 24 19 10 5", "32 25 18 11 4",
                       "31 26 17 12 3", "30 27 16 13 2", "29 28 15 14 1"};
    QTest::newRow("column snake 6 forward")
        << "Command13"
        << QStringList{"1 12 13 24 25", "2 11 14 23 26", "3 10 15 22 27", "4 9 16 21 28",
                       "5 8 17 20 29",  "6 7 18 19 30",  "- - - - -"};
    QTest::newRow("column snake 6 reverse")
        << "Command14"
        << QStringList{"- - - - -",     "30 19 18 7 6",  "29 20 17 8 5", "28 21 16 9 4",
                       "27 22 15 10 3", "26 23 14 11 2", "25 24 13 12 1"};
}

void TestPlanMoves::resultingPlans() {
    QFETCH(QString, button);
    QFETCH(QStringList, screen);
    const SeatPlan plan = arranged(buttonNamed(button).pattern, candidates(35));
    for (int row = 0; row < kRows; ++row) {
        QStringList shown;
        for (int column = 0; column < kColumns; ++column) {
            const QString& caption = plan[seatIndex(column, row)];
            shown << (caption.isEmpty() ? QStringLiteral("-") : caption);
        }
        QCOMPARE(shown.join(QLatin1Char(' ')), screen[row]);
    }
}

void TestPlanMoves::emptyCandidatesKeepTheirPlace() {
    const std::vector<QString> list{QStringLiteral(" 1 张三\t"), QString(), QStringLiteral("李四"),
                                    QString()};
    const SeatPlan plan = filledPlan(SnakeFamily::Rows, 7, list);
    QCOMPARE(plan[0], QStringLiteral(" 1 张三\t"));
    QCOMPARE(plan[7], QString());
    QCOMPARE(plan[14], QStringLiteral("李四"));
    QCOMPARE(std::count(plan.begin(), plan.end(), QString()), qsizetype(kSeats - 2));
}

QTEST_APPLESS_MAIN(TestPlanMoves)
#include "tst_planmoves.moc"
