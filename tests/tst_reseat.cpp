// The random seating: each rule on seats as data, rules read from the
// dialog's boxes and from rules files, and the search's invariants over
// random classrooms, rules and seeds.

#include "../seating/reseat.h"
#include "ansitext.h"
#include "rulesets.h"

#include <QtTest>

using namespace quorlen;

namespace {
// rules file ("," between fields, "/" between lines) | names at seats (column,row,
// counted from 1 as seen) | podium | the rules broken, counted from 1
const char* const kBroken = R"(
apart, side by side | 不相邻,A,B | A@1,1 B@2,1 | front | 1
apart, one behind the other | 不相邻,A,B | A@3,4 B@3,5 | front | 1
apart, diagonal | 不相邻,A,B | A@3,4 B@4,3 | front | 1
apart, a seat between | 不相邻,A,B | A@1,1 B@3,1 | front |
apart, two rows between | 不相邻,A,B | A@2,2 B@2,4 | front |
apart, the edges are not neighbours | 不相邻,A,B | A@1,1 B@5,1 | front |
together, side by side | 同桌,A,B | B@4,7 A@5,7 | front |
together, one behind the other | 同桌,A,B | A@2,3 B@2,4 | front | 1
together, a seat between | 同桌,A,B | A@1,3 B@3,3 | front | 1
together, diagonal | 同桌,A,B | A@2,3 B@3,4 | front | 1
front, second row | 靠前,A | A@5,2 | front |
front, third row | 靠前,A | A@5,3 | front | 1
front, podium at the back, sixth row | 靠前,A | A@1,6 | back |
front, podium at the back, fifth row | 靠前,A | A@1,5 | back | 1
front, podium at the back, first row | 靠前,A | A@1,1 | back | 1
a name on no seat is no broken rule | 靠前,A | B@1,7 | front |
a name on two seats is no broken rule | 不相邻,A,B | A@1,1 A@4,4 B@1,2 | front |
counted in the order of the dialog | 靠前,B/同桌,A,B/不相邻,A,C | A@1,7 B@2,7 C@1,6 | front | 1 3
)";

// read from | text ("/" between lines, \t a tab, \n a lone line feed) |
// the rules as the rules file writes them | lines that are no rule
const char* const kRead = R"(
every kind, in the dialog's order | file | 固定\t5\t7/靠前,丙/同桌，甲、乙/不相邻\t甲\t乙 | 不相邻\t甲\t乙/同桌\t甲\t乙/靠前\t丙/固定\t5\t7/ | 0
fixed seats in seat order | file | 固定,2,1/固定,1,2/固定,1,1 | 固定\t1\t1/固定\t1\t2/固定\t2\t1/ | 0
line feeds, blank lines and remarks | file | # 三年二班\n\n不相邻,甲,乙\n  \n | 不相邻\t甲\t乙/ | 0
names as typed | file | 同桌, 甲 ,乙 | 同桌\t 甲 \t乙/ | 0
lines that are no rule | file | 不相邻,甲/同桌,甲,甲/靠前,甲,乙/靠后,甲/固定,6,1/固定,1,0/固定,一,二/不相邻,甲,,乙/同桌,,乙 | | 9
nothing | file | | | 0
apart box | 不相邻 | 甲、乙/ /丙，丁/戊 | 不相邻\t甲\t乙/不相邻\t丙\t丁/ | 1
together box | 同桌 | 甲\t乙/甲,乙,丙 | 同桌\t甲\t乙/ | 1
front box | 靠前 | 甲/乙、丙/ 丁 | 靠前\t甲/靠前\t 丁/ | 1
)";

void addTable(std::initializer_list<const char*> columns, const char* table) {
    for (const char* column : columns)
        QTest::addColumn<QString>(column);
    for (const QString& line : QString::fromUtf8(table).split('\n', Qt::SkipEmptyParts)) {
        const QStringList cells = line.split(QRegularExpression(" *\\| *"));
        QTestData& row = QTest::newRow(qPrintable(cells[0]));
        for (const QString& cell : cells.mid(1))
            row << QString(cell).replace("\\t", "\t").replace("\\n", "\n");
    }
}

QString numbered(const std::vector<int>& indices) {
    QStringList numbers;
    for (const int index : indices)
        numbers << QString::number(index + 1);
    return numbers.join(' ');
}

QStringList sorted(const SeatPlan& plan) {
    QStringList names(plan.begin(), plan.end());
    names.sort();
    return names;
}
} // namespace

class TestReseat : public QObject {
    Q_OBJECT
private slots:
    void broken_data() { addTable({"rules", "seats", "podium", "broken"}, kBroken); }
    void broken() {
        QFETCH(QString, rules);
        QFETCH(QString, seats);
        QFETCH(QString, podium);
        Classroom room;
        const ReadRules read = readRulesFile(common::toAnsi(rules.replace('/', '\n')));
        QCOMPARE(read.problems, QStringList());
        room.rules = read.rules;
        room.podiumBack = podium == "back";
        for (const QString& at : seats.split(' ')) {
            const QStringList place = at.section('@', 1).split(',');
            room.plan[seatIndex(place[0].toInt() - 1, place[1].toInt() - 1)] =
                at.section('@', 0, 0);
        }
        QTEST(numbered(brokenRules(room)), "broken");
    }

    void read_data() { addTable({"from", "text", "written", "problems"}, kRead); }
    void read() {
        QFETCH(QString, from);
        QFETCH(QString, text);
        QFETCH(QString, written);
        text.replace('/', from == "file" ? "\r\n" : "\n");
        const QStringList kinds{"不相邻", "同桌", "靠前"};
        const ReadRules read = from == "file" ? readRulesFile(common::toAnsi(text))
                                              : readRuleBox(RuleKind(kinds.indexOf(from)), text);
        Classroom room;
        room.rules = read.rules;
        room.fixed = read.fixed;
        QCOMPARE(common::fromAnsi(rulesFileBytes(room)), written.replace('/', "\r\n"));
        QTEST(QString::number(read.problems.size()), "problems");
        // What is written reads back as it was.
        QCOMPARE(readRulesFile(rulesFileBytes(room)).rules, room.rules);
    }

    // Random classrooms, rules and seeds: every name seated once, empty and
    // fixed seats as they were, the broken rules reported are those the plan
    // breaks, and the same seed seats the same class the same way, whatever
    // order it sat in. Where the rules can all be kept, they are.
    void invariants() {
        std::mt19937 random(19);
        for (int round = 0; round < 400; ++round) {
            const bool keepable = round % 2;
            const Classroom room = randomClassroom(random, keepable);
            const auto seed = std::uint32_t(random());
            const Reseating result = reseat(room, seed);
            QCOMPARE(sorted(result.plan), sorted(room.plan));
            for (int seat = 0; seat < kSeats; ++seat)
                if (room.fixed[seat] || room.plan[seat].isEmpty())
                    QCOMPARE(result.plan[seat], room.plan[seat]);
            Classroom after = room;
            after.plan = result.plan;
            QCOMPARE(result.broken, brokenRules(after));
            QVERIFY(!keepable || result.broken.empty());
            Classroom reordered = room;
            reordered.plan = reseat(room, seed + 1).plan;
            QCOMPARE(reseat(reordered, seed).plan, result.plan);
        }
    }
};

QTEST_MAIN(TestReseat)
#include "tst_reseat.moc"
