// Seating a whole examination: one invariant checker over many generated
// lists and settings, and a few exact outputs; the checks, lines and orders
// the window and the command line share; the random draws.

#include "common/draw.h"
#include "common/seed.h"
#include "exams/arrange.h"
#include "exams/candidates.h"
#include "exams/examfile.h"
#include "exams/naturalorder.h"
#include "exams/outputs.h"
#include "tests/casetable.h"
#include "tests/examcompare.h"

#include <QFile>
#include <QTest>
#include <random>
#include <set>
#include <tuple>

using namespace exams;

namespace {

CandidateList listOf(const std::vector<std::pair<QString, QString>>& classAndNumber) {
    CandidateList list;
    for (const auto& [cls, number] : classAndNumber)
        list.candidates.push_back({cls + QLatin1Char('-') + number, cls, number, {}, {}, 0});
    return list;
}

// The seating drawn as rows of names, row 0 at the top, as printed.
QStringList grid(const CandidateList& list, const Seating& seating, Fill fill, int room) {
    const Room& shape = seating.rooms[std::size_t(room)];
    QStringList rows(shape.rows, QString(shape.columns, QLatin1Char('.')));
    for (int seat = 0; seat < int(seating.seats[std::size_t(room)].size()); ++seat) {
        const Place at = seatPlace(shape, fill, seat);
        rows[at.row][at.column] =
            list.candidates[std::size_t(seating.seats[std::size_t(room)][std::size_t(seat)])]
                .name[0];
    }
    return rows;
}

// Rows, columns and people a room, or a room table "RxC:N,…"; the message.
const char* const kChecks = R"(
usual rooms | 6 | 5 | 30 | | 
the largest room | 99 | 99 | 99 | | 
no seats | 0 | 5 | 1 | | 考场至少要有一排一列座位。
more rows than a room has | 100 | 1 | 1 | | 考场最多 99 行、99 列座位。
rows whose product overflows | 65536 | 65536 | 30 | | 考场最多 99 行、99 列座位。
nobody a room | 5 | 5 | 0 | | 每考场至少要坐 1 人。
more than its seats | 5 | 5 | 30 | | 每考场 30 人，但 5 行 × 5 列只有 25 个座位。
more than 考号 hold | 10 | 10 | 100 | | 每考场最多 99 人：考号里的座号只有两位。
a table room too small | 6 | 5 | 30 | 9x9:80,2x2:5 | 第2考场坐 5 人，但只有 4 个座位。
a table room too large | 6 | 5 | 30 | 10x10:100 | 第1考场坐 100 人：每考场最多 99 人：考号里的座号只有两位。
a table room too long | 6 | 5 | 30 | 100x1:1 | 第1考场最多 99 行、99 列座位。
a table room with no seat | 6 | 5 | 30 | 0x3:0 | 第1考场至少要有一排一列座位。
)";

// Typed seeds and what they give; "-" for none.
const char* const kSeeds = R"(
zero | 0 | 0
the largest | 4294967295 | 4294967295
one past the largest | 4294967296 | -
nothing typed | | -
blanks around | \t12  | 12
leading zeros | 007 | 7
a sign | -1 | -
a fraction | 1.5 | -
hexadecimal | 0x10 | -
)";

// Lists in their one order: "<" before, "=" together (the list's order kept).
const char* const kOrder = R"(
junior grades | 初一 < 初二 < 初三 < 高一 < 高二 < 高三
classes in words | 一班 < 二班 < 九班 < 十班 < 十一班 < 十二班 < 十九班 < 二十班 < 二十一班 < 一百零五班
classes in digits | 高一(2)班 < 高一(10)班 < 高二(1)班
digits and words alike | 1班 = 一班 < 2班 = 两班 < 三班 < 10班 = 十班
leading zeros | 007 = 7 < 08 < 10 < 010a
full-width digits | ３班 = 3班 < １２班
years digit by digit | 二〇二五届 < 二〇二六届 = 2026届 < 二〇三〇届
zero as a placeholder | 一百 < 一百零五 < 一百一十 < 一千零一
numbers before text, Chinese before Latin | 9 < 初一 < A班
text by pinyin | 丙班 < 甲班 < 乙班
longer than any integer | 99999999999999999999 < 100000000000000000000
)";

} // namespace

class ArrangeTest : public QObject {
    Q_OBJECT
private slots:
    void invariantsOverGeneratedLists();
    void mixedReachesNoneAdjacent();
    void exactOutputs();
    void lateChangesAndReprints();
    void pinnedMixedSeating();
    void sharedChecks_data() {
        addTable({"rows", "columns", "perRoom", "table", "message"}, kChecks);
    }
    void sharedChecks();
    void seeds_data() { addTable({"typed", "seed"}, kSeeds); }
    void seeds();
    void naturalOrder_data() { addTable({"ordered"}, kOrder); }
    void naturalOrder();
    void sharedLines();
    void draws();
};

void ArrangeTest::invariantsOverGeneratedLists() {
    std::mt19937 random(7);
    const auto pick = [&](int low, int high) {
        return low + int(random() % unsigned(high - low + 1));
    };
    for (int round = 0; round < 400; ++round) {
        CandidateList list;
        const int classes = pick(1, 30);
        int largest = 0;
        for (int c = 0; c < classes; ++c) {
            const int size = pick(1, 60);
            largest = std::max(largest, size);
            for (int i = 0; i < size; ++i)
                list.candidates.push_back(
                    {{},
                     QStringLiteral("%1班").arg(c),
                     QString::number(i),
                     {},
                     {pick(0, 5) ? QString::number(pick(0, 150)) : QStringLiteral("缺考")},
                     0});
        }
        std::shuffle(list.candidates.begin(), list.candidates.end(), random);
        const int n = int(list.candidates.size());
        Settings settings;
        settings.rows = pick(2, 8);
        settings.columns = pick(2, 8);
        settings.perRoom = pick(1, settings.rows * settings.columns);
        if (pick(0, 3) == 0)
            for (int seats = 0; seats < n;) {
                const Room room{{}, pick(1, 9), pick(1, 9), 0};
                settings.rooms.push_back(
                    {{}, room.rows, room.columns, pick(1, room.rows * room.columns)});
                seats += settings.rooms.back().capacity;
            }
        settings.fullRooms = pick(0, 3) == 0;
        settings.fill = pick(0, 1) ? Fill::Rows : Fill::Columns;
        settings.order = Order(pick(0, 3));
        settings.scoreColumn = 0;
        settings.diagonal = pick(0, 1);
        settings.seed = std::uint32_t(random());
        const QString name = QStringLiteral("round %1").arg(round);
        const Arrangement result = arrange(list, settings);
        QVERIFY2(result.error.isEmpty(), qPrintable(name + result.error));
        const Seating& seating = result.seating;
        QCOMPARE(arrange(list, settings).seating, seating);
        if (settings.rooms.empty())
            QCOMPARE(int(seating.rooms.size()), (n + settings.perRoom - 1) / settings.perRoom);
        else
            QCOMPARE(seating.rooms, settings.rooms);
        // Everyone once; balanced sizes, or each room full before the next.
        std::vector<int> seen(std::size_t(n), 0), sizes;
        std::vector<int> sequence;
        for (std::size_t r = 0; r < seating.rooms.size(); ++r) {
            const int cap = seating.rooms[r].capacity, size = int(seating.seats[r].size());
            QVERIFY2(size <= cap, qPrintable(name));
            for (const int who : seating.seats[r]) {
                QVERIFY2(who >= 0 && who < n && ++seen[std::size_t(who)] == 1, qPrintable(name));
                sequence.push_back(who);
            }
            // A smaller room is a full one or one seat short of an earlier one.
            for (std::size_t before = 0; before < r; ++before) {
                const int earlier = int(seating.seats[before].size());
                const bool earlierFull = earlier == seating.rooms[before].capacity;
                QVERIFY2(settings.fullRooms ? earlierFull || size == 0
                         : earlier >= size  ? earlier <= size + 1 || size == cap
                                            : earlierFull,
                         qPrintable(name));
            }
        }
        QCOMPARE(int(sequence.size()), n);
        const std::vector<QString> numbers = examNumbers({list, settings, seating, {}});
        QCOMPARE(std::set<QString>(numbers.begin(), numbers.end()).size(), std::size_t(n));
        // The classmates side by side, counted here from the seats' places.
        int pairs = 0;
        for (std::size_t r = 0; r < seating.rooms.size(); ++r)
            for (std::size_t a = 0; a < seating.seats[r].size(); ++a)
                for (std::size_t b = a + 1; b < seating.seats[r].size(); ++b) {
                    const Place p = seatPlace(seating.rooms[r], settings.fill, int(a));
                    const Place q = seatPlace(seating.rooms[r], settings.fill, int(b));
                    const int dr = std::abs(p.row - q.row), dc = std::abs(p.column - q.column);
                    pairs += (dr + dc == 1 || (settings.diagonal && dr == 1 && dc == 1)) &&
                             list.candidates[std::size_t(seating.seats[r][a])].className ==
                                 list.candidates[std::size_t(seating.seats[r][b])].className;
                }
        QCOMPARE(result.adjacentPairs, pairs);
        QCOMPARE(result.why.isEmpty(), pairs == 0);
        if (settings.order == Order::Listed) {
            for (int i = 0; i < n; ++i)
                QCOMPARE(sequence[std::size_t(i)], i);
        } else if (settings.order == Order::ByColumn) {
            // No room holds a lower score than a later room.
            const auto score = [&](int who) {
                bool ok = false;
                const double s = list.candidates[std::size_t(who)].extra[0].toDouble(&ok);
                return ok ? s : -1.0;
            };
            double lowest = 1e9;
            for (const auto& room : seating.seats) {
                for (const int who : room)
                    QVERIFY2(score(who) <= lowest, qPrintable(name));
                for (const int who : room)
                    lowest = std::min(lowest, score(who));
            }
        } else if (settings.order == Order::Mixed && largest * (settings.diagonal ? 8 : 4) <= n &&
                   settings.perRoom >= 8) {
            // Each class at most a quarter (an eighth with diagonals) of every room.
            QVERIFY2(pairs == 0, qPrintable(name + result.why));
        }
    }
}

// Plans with none adjacent exist here, some only as a checkerboard (two
// classes alike) or its 2x2 version with diagonals (four classes alike).
void ArrangeTest::mixedReachesNoneAdjacent() {
    struct Case {
        std::vector<int> classes;
        bool diagonal;
        int perRoom;
    };
    for (const Case& c :
         {Case{{15, 15}, false, 30}, Case{{300, 300}, false, 30},
          Case{{290, 100, 100, 110}, false, 30}, Case{{270, 100, 100, 90}, false, 28},
          Case{{150, 150, 150, 150}, true, 30}, Case{{170, 86, 86, 86, 86, 86}, true, 30},
          Case{std::vector<int>(60, 50), true, 30}}) {
        CandidateList list;
        for (std::size_t k = 0; k < c.classes.size(); ++k)
            for (int i = 0; i < c.classes[k]; ++i)
                list.candidates.push_back({{}, QString::number(k), {}, {}, {}, 0});
        Settings settings;
        settings.order = Order::Mixed;
        settings.diagonal = c.diagonal;
        settings.perRoom = c.perRoom;
        const Arrangement result = arrange(list, settings);
        QVERIFY2(result.adjacentPairs == 0, qPrintable(QString::number(c.classes[0]) + result.why));
    }
}

void ArrangeTest::exactOutputs() {
    CandidateList six =
        listOf({{"A", "1"}, {"B", "1"}, {"C", "1"}, {"D", "1"}, {"E", "1"}, {"F", "1"}});
    Settings settings;
    settings.rooms = {{{}, 3, 2, 6}};
    for (const auto& [fill, drawn] : {std::pair{Fill::Rows, QStringList{"FE", "CD", "BA"}},
                                      {Fill::Columns, {"DC", "EB", "FA"}}}) {
        settings.fill = fill;
        QCOMPARE(grid(six, arrange(six, settings).seating, fill, 0), drawn);
    }
    // By class, then student number as numbers; equal numbers keep list order.
    const CandidateList classes =
        listOf({{"10班", "2"}, {"2班", "10"}, {"2班", "2"}, {"10班", "02"}, {"2班", "9"}});
    settings = {};
    settings.order = Order::ByClass;
    QCOMPARE(arrange(classes, settings).seating.seats,
             (std::vector<std::vector<int>>{{2, 4, 1, 0, 3}}));
    // By a score column, pinned: a seed shuffles each room as it did (the
    // mixed order is pinned by pinnedMixedSeating's file).
    CandidateList scored;
    scored.extraHeaders = QStringList{"成绩"};
    for (int i = 0; i < 14; ++i)
        scored.candidates.push_back({QString::number(i),
                                     QString("%1班").arg(i % 3),
                                     QString::number(i),
                                     {},
                                     {QString::number(i * 37 % 100)},
                                     0});
    settings = {};
    settings.rows = settings.columns = 3;
    settings.perRoom = 8;
    settings.scoreColumn = 0;
    settings.seed = 7;
    settings.order = Order::ByColumn;
    QCOMPARE(arrange(scored, settings).seating.seats,
             (std::vector<std::vector<int>>{{8, 2, 4, 13, 5, 10, 7}, {12, 9, 3, 1, 6, 11, 0}}));
    settings = {};
    // One class filling a room cannot be kept apart: the reason names it.
    const CandidateList one = listOf(std::vector<std::pair<QString, QString>>(30, {"3班", "1"}));
    settings.order = Order::Mixed;
    const Arrangement crowded = arrange(one, settings);
    QCOMPARE(crowded.why, QStringLiteral("3班有 30 人，这些考场最多能让 15 人互不相邻。"));
    QVERIFY(crowded.adjacentPairs > 0);
    // Too many candidates for the rooms: no seating, the rooms it would need.
    const Arrangement tooMany =
        arrange(listOf(std::vector<std::pair<QString, QString>>(31000, {"1班", "1"})), {});
    QCOMPARE(tooMany.error,
             QStringLiteral("考生 31000 人，每考场 30 人需要 1034 个考场，最多 999 个考场。"));
    QVERIFY(tooMany.seating.seats.empty());
    // 31 in rooms of 30: two rooms of 16 and 15, not 30 and 1.
    const Seating balanced =
        arrange(listOf(std::vector<std::pair<QString, QString>>(31, {"1班", "1"})), {}).seating;
    QList<qsizetype> sizes;
    for (const auto& room : balanced.seats)
        sizes << qsizetype(room.size());
    QCOMPARE(sizes, (QList<qsizetype>{16, 15}));
}

void ArrangeTest::lateChangesAndReprints() {
    Exam exam;
    exam.list = listOf({{"1班", "1"}, {"2班", "1"}, {"1班", "2"}, {"2班", "2"}});
    exam.list.candidates[3].name = exam.list.candidates[0].name = QStringLiteral("张三");
    exam.settings.rooms = {{{}, 2, 2, 2}, {{}, 2, 2, 3}};
    exam.seating = arrange(exam.list, exam.settings).seating;
    QCOMPARE(exam.seating.seats, (std::vector<std::vector<int>>{{0, 1}, {2, 3}}));
    Exam after = exam;
    after.list.candidates.push_back({QStringLiteral("李四"), QStringLiteral("3班"), {}, {}, {}, 0});
    after.seating = unseat(exam.seating, 1);
    const Changed late = seatLateCandidate(after.seating, 4);
    QCOMPARE(late.seating.seats, (std::vector<std::vector<int>>{{0, 4}, {2, 3}}));
    QCOMPARE(seatLateCandidate(late.seating, 1).seating.seats,
             (std::vector<std::vector<int>>{{0, 4}, {2, 3, 1}}));
    QVERIFY(!seatLateCandidate(seatLateCandidate(late.seating, 1).seating, 5).error.isEmpty());
    after.seating = swapSeats(late.seating, 0, 2);
    QCOMPARE(after.seating.seats, (std::vector<std::vector<int>>{{2, 4}, {0, 3}}));
    QCOMPARE(printoutsToRedo(exam, after),
             (QStringList{"第1考场：门贴、签到表", "第2考场：门贴、签到表",
                          "桌贴：张三（1班）、1班-2、李四", "按班级总表", "工作簿"}));
    QVERIFY(printoutsToRedo(exam, exam).isEmpty());
}

// Every printout promises that the same list, settings, seed and version
// give the same plan, on every platform: a mixed seating of a grade, kept
// as an exam file, is arranged again and must come out seat for seat. Where
// a change to the arrangement moves anyone on purpose, the file is made
// again by: TAVRIN_PIN=tests/data/exams/pinned-mixed.exam tst_exams_arrange
void ArrangeTest::pinnedMixedSeating() {
    if (const QString to = qEnvironmentVariable("TAVRIN_PIN"); !to.isEmpty()) {
        // Four classes of uneven sizes as their lists come, and three
        // candidates without a class: 100 in four rooms.
        Exam exam;
        const QString surnames = "赵钱孙李周吴郑王冯陈褚卫蒋沈韩杨朱秦尤许",
                      given = "伟芳娜敏静丽强磊军洋勇艳杰娟涛明超秀霞平";
        const int sizes[] = {31, 27, 24, 15, 3};
        for (int c = 0, i = 0; c < 5; ++c)
            for (int n = 1; n <= sizes[c]; ++n, ++i)
                exam.list.candidates.push_back(
                    {QString(surnames[i % 20]) + given[i * 7 % 20] + given[(i * 3 + 1) % 20],
                     c < 4 ? QString("高二(%1)班").arg(c + 1) : QString(),
                     QString("%1%2").arg(c + 1, 2, 10, QChar('0')).arg(n, 2, 10, QChar('0')),
                     {},
                     {},
                     i + 2});
        exam.settings.rows = 5;
        exam.settings.columns = 6;
        exam.settings.perRoom = 28;
        exam.settings.order = Order::Mixed;
        exam.settings.diagonal = true;
        exam.settings.seed = 20261208;
        exam.seating = arrange(exam.list, exam.settings).seating;
        exam.version = programVersion();
        QFile file(to);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(examFileBytes(exam)) > 0);
        QSKIP(qPrintable("made " + to));
    }
    QFile file(":/data/exams/pinned-mixed.exam");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const OpenedExam pinned = readExamFile(file.readAll());
    QCOMPARE(pinned.error, QString());
    const Exam& exam = pinned.exam;
    QVERIFY(exam.settings.order == Order::Mixed && exam.seating.rooms.size() == 4);
    QCOMPARE(arrange(exam.list, exam.settings).seating, exam.seating);
}

void ArrangeTest::sharedChecks() {
    QFETCH(QString, rows);
    QFETCH(QString, columns);
    QFETCH(QString, perRoom);
    QFETCH(QString, table);
    Settings settings;
    settings.rows = rows.toInt();
    settings.columns = columns.toInt();
    settings.perRoom = perRoom.toInt();
    for (const QString& room : table.split(',', Qt::SkipEmptyParts)) {
        const QStringList n = room.split(QRegularExpression("[x:]"));
        settings.rooms.push_back({{}, n[0].toInt(), n[1].toInt(), n[2].toInt()});
    }
    QTEST(settingsProblem(settings), "message");
    // arrange() refuses what the window and the command line refuse, alike.
    QTEST(arrange(listOf({{"1班", "1"}}), settings).error, "message");
}

void ArrangeTest::seeds() {
    QFETCH(QString, typed);
    const std::optional<std::uint32_t> seed = common::seedFrom(typed);
    QTEST(seed ? QString::number(*seed) : QStringLiteral("-"), "seed");
}

void ArrangeTest::naturalOrder() {
    QFETCH(QString, ordered);
    const QStringList parts = ordered.split(' ');
    CandidateList list;
    QStringList expected;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        expected << parts[i];
        if (i > 0) {
            const int before = parts[i - 1] == "=" ? 0 : -1;
            QCOMPARE(naturalCompare(parts[i - 2], parts[i]), before);
            QCOMPARE(naturalCompare(parts[i], parts[i - 2]), -before);
        }
    }
    // Seated by class, and listed by class in every output, the same way:
    // from the list reversed, ties kept in the list's order.
    for (qsizetype i = expected.size() - 1; i >= 0; --i)
        list.candidates.push_back({expected[i], expected[i], {}, {}, {}, 0});
    QStringList sorted;
    for (const int who : byClass(list))
        sorted << list.candidates[std::size_t(who)].name;
    for (qsizetype i = 2; i < parts.size(); i += 2)
        if (parts[i - 1] == "=")
            sorted.swapItemsAt(i / 2 - 1, i / 2);
    QCOMPARE(sorted, expected);
    Settings settings;
    settings.order = Order::ByClass;
    settings.rows = settings.columns = 10;
    std::vector<int> seated = arrange(list, settings).seating.seats[0];
    QCOMPARE(seated, byClass(list));
}

void ArrangeTest::sharedLines() {
    Exam exam;
    exam.list = listOf({{"1班", "1"}, {"1班", "2"}, {"2班", "1"}});
    exam.settings.seed = 7;
    exam.seating = arrange(exam.list, exam.settings).seating;
    QCOMPARE(summaryLine(exam, 1), QString("考生 3 人，1 个考场，相邻同班 1 对，随机种子 7"));
    exam.seating = unseat(exam.seating, 2);
    QCOMPARE(summaryLine(exam, 0),
             QString("考生 3 人，1 个考场，相邻同班 0 对，随机种子 7；1 人没有座位"));
    QCOMPARE(problemLines({{3, "没有姓名"}, {12, "x"}}),
             (QStringList{"  第 3 行：没有姓名", "  第 12 行：x"}));
    // A late candidate as typed: the parts, or "-" for none.
    exam.list.extraHeaders = QStringList{"成绩", "备注"};
    for (const auto& [typed, read] : std::initializer_list<std::pair<const char*, const char*>>{
             {"张三", "张三,,,2"},
             {" 张三 , 1班 ,07", "张三,1班,07,2"},
             {"张三，1班\t7,多余", "张三,1班,7,2"},
             {",1班,7", "-"},
             {"", "-"}}) {
        const std::optional<Candidate> c = lateCandidate(QString::fromUtf8(typed), exam.list);
        const QStringList parts =
            c ? QStringList{c->name, c->className, c->studentNo, QString::number(c->extra.size())}
              : QStringList{"-"};
        QCOMPARE(parts.join(','), QString::fromUtf8(read));
    }
}

// The first draws of a seed, pinned: a change of platform, library or code
// that changes them changes every seating handed out.
void ArrangeTest::draws() {
    for (const auto& [rejects, big, shuffled] :
         {std::tuple{common::Draw::Rejects::Highest, "1355563483 860968257 602307672 759449838",
                     "8793625041"},
          std::tuple{common::Draw::Rejects::Lowest, "1355563483 695579479 40355748 267891044",
                     "8051749632"}}) {
        common::Draw draw(20261207, rejects);
        QString small, large, order;
        for (int i = 0; i < 6; ++i)
            small += QString::number(draw.below(10));
        QCOMPARE(draw.below(0), 0); // draws nothing
        QCOMPARE(draw.below(-3), 0);
        for (int i = 0; i < 4; ++i)
            large += QString::number(draw.below(1610612736)) + ' ';
        std::vector<int> values{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
        draw.shuffle(values);
        for (const int v : values)
            order += QString::number(v);
        QCOMPARE(small, QString("546566"));
        QCOMPARE(large.trimmed(), QString(big));
        QCOMPARE(order, QString(shuffled));
    }
}

QTEST_GUILESS_MAIN(ArrangeTest)
#include "tst_exams_arrange.moc"
