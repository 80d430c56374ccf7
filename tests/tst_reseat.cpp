// The random seating: each rule on seats as data, rules read from the
// dialog's boxes and from rules files, the search's invariants over random
// classrooms, rules and seeds, and the window's new steps.

#include "common/ansitext.h"
#include "common/captionbutton.h"
#include "quorlen/quorlenwindow.h"
#include "seating/reseat.h"
#include "tests/driver.h"
#include "tests/rulesets.h"

#include <QDialog>
#include <QListWidget>

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
lines that are no rule | file | 不相邻,甲/同桌,甲,甲/靠前,甲,乙/靠后,甲/固定,6,1/固定,1,0/固定,-2147483648,1/固定,一,二/不相邻,甲,,乙/同桌,,乙 | | 10
nothing | file | | | 0
apart box | 不相邻 | 甲、乙/ /丙，丁/戊 | 不相邻\t甲\t乙/不相邻\t丙\t丁/ | 1
together box | 同桌 | 甲\t乙/甲,乙,丙 | 同桌\t甲\t乙/ | 1
front box | 靠前 | 甲/乙、丙/ 丁 | 靠前\t甲/靠前\t 丁/ | 1
)";

// files put in the folder before the start (name<data file, or name/ a folder) | steps (driver.h,
// and below) | boxes shown | files written fix:r1c1 is a right-click on that seat; seed:7
// apart:甲、乙/丙、丁 type into the dialog's boxes ("/" between lines); 排座 关闭 press its
// buttons; title:text answers the printout's title; notes?text, said?text: a line of the dialog's
// list, or of a box shown, holds the text; marked?r1c1,r2c1 the seats marked; gone:file.
const char* const kWindow = R"(
a seating by seed and rules, undone and redone | default.txt<class.txt | fix:r1c1 reseat seed:7 apart:李强、刘刚 together:王强、李娟 front:何文博 排座 notes?规则都满足 关闭 保存 default.txt=reseat-7.txt default.txt.rules=reseat.rules undo 保存 default.txt=class-saved.txt default.txt.rules=fixed.rules redo 保存 | inform inform inform | default.txt=reseat-7.txt default.txt.rules=reseat.rules
rules that cannot all hold, or be kept, are listed | default.txt<class.txt | reseat seed:7 apart:王伟、李强 together:王伟、李强 front:张三 排座 notes?没满足： notes?「张三」不在任何座位上 关闭 | |
a line that is no rule holds the seating back | default.txt<class.txt | reseat apart:王伟 notes?要写两个名字 排座 关闭 保存 | inform | default.txt=class-saved.txt gone:default.txt.rules
closing keeps the rules, undo takes them back | default.txt<class.txt | fix:r1c1 reseat apart:李强,刘刚 together:王强\t李娟 front:何文博 关闭 保存 default.txt.rules=reseat.rules undo 保存 default.txt.rules=fixed.rules undo 保存 | inform inform inform | default.txt=class-saved.txt gone:default.txt.rules
marks stay on their places | default.txt<class.txt | fix:r1c1 fix:r7c5 fix:r2c2 fix:r7c5 旋转×2 左右翻转 上移一行 Brasset paste:list36.txt 横S正排(7*5) 保存 marked?r1c1,r2c2 undo×7 marked?r1c1,r7c5 | inform | default.txt=Command12.txt
under the exam panel nothing happens | default.txt<class.txt | Brasset reseat fix:r1c1 返回 保存 marked? | inform | gone:default.txt.rules
an unreadable saved plan is told, and no rules are saved | default.txt/ | said?default.txt fix:r1c1 保存 | error error | gone:default.txt.rules
save as, rules beside | default.txt<class.txt | fix:r1c1 file:plan savePlanAs said?plan.txt.rules | save inform | plan.txt=class-saved.txt plan.txt.rules=fixed.rules
save as over a file asks first | default.txt<class.txt | file:ten.txt no savePlanAs ten.txt=ten.txt file:ten.txt yes savePlanAs | save ask save ask inform | ten.txt=class-saved.txt
save as without rules removes old ones | default.txt<class.txt plan.TXT.rules<fixed.rules | file:plan.TXT savePlanAs | save inform | plan.TXT=class-saved.txt gone:plan.TXT.rules
open reads the rules beside the plan, not alone | default.txt<class.txt ruled.txt<ten.txt ruled.txt.rules<reseat.rules | file:ruled.txt.rules 打开 file:ruled.txt 打开 marked?r1c1 保存 default.txt.rules=reseat.rules file:ten.txt 打开 marked? 保存 | open error open inform inform open inform inform | default.txt=ten-opened.txt gone:default.txt.rules
lines that are no rules are told at start | default.txt<class.txt default.txt.rules<mixed.rules | 保存 said?坐前面 | error inform | default.txt=class-saved.txt default.txt.rules=reseat.rules
a title on the printout | default.txt<class.txt | title:三年二班 print | preview | print.txt=title-print.txt
)";

QString numbered(const std::vector<int>& indices) {
    QStringList numbers;
    for (const int index : indices)
        numbers << QString::number(index + 1);
    return numbers.join(' ');
}

QString marked(Driver& d) {
    QStringList seats;
    for (int seat = 0; seat < kSeats; ++seat)
        if (d.window->findChild<common::CaptionButton*>("Command1_" + QString::number(seat))
                ->isMarked())
            seats << QString("r%1c%2").arg(rowOf(seat) + 1).arg(columnOf(seat) + 1);
    return seats.join(',');
}

void expect(bool holds, const QString& why) {
    QVERIFY2(holds, qPrintable(why));
}

// The steps above the driver's own; false for one of the driver's.
bool take(Driver& d, const QString& step) {
    const QString value = step.section(QRegularExpression("[:?]"), 1);
    auto* dialog = d.window->findChild<QDialog*>("reseatDialog");
    auto* box = d.window->findChild<QWidget*>(step.section(':', 0, 0));
    QStringList notes;
    for (QListWidgetItem* item :
         dialog ? dialog->findChild<QListWidget*>()->findItems("", Qt::MatchContains)
                : QList<QListWidgetItem*>{})
        notes << item->text();
    if (step.startsWith("fix:")) {
        QContextMenuEvent click(QContextMenuEvent::Mouse, {5, 5}, {5, 5});
        QWidget* seat = d.seat(value);
        expect(seat, "no seat " + value);
        if (seat)
            QApplication::sendEvent(seat, &click);
    } else if (auto* lines = qobject_cast<QPlainTextEdit*>(box); lines && step.contains(':')) {
        lines->setPlainText(QString(value).replace('/', '\n'));
    } else if (auto* line = qobject_cast<QLineEdit*>(box); line && step.contains(':')) {
        line->setText(value);
    } else if (step.startsWith("title:")) {
        d.desktop.texts.enqueue(value);
    } else if (step.startsWith("notes?") || step.startsWith("said?")) {
        const QStringList& seen = step.startsWith("notes?") ? notes : d.desktop.log;
        expect(!seen.filter(value).isEmpty(), value + " not in: " + seen.join('|'));
    } else if (step.startsWith("marked?")) {
        expect(marked(d) == value, step + ", but marked: " + marked(d));
    } else if (step.startsWith("gone:")) {
        expect(!QFileInfo::exists(value), value + " is there");
    } else if (dialog && dialog->isVisible() && (step == "排座" || step == "关闭")) {
        QTest::mouseClick(dialog->findChild<QPushButton*>(step == "排座" ? "run" : "close"),
                          Qt::LeftButton);
    } else {
        return false;
    }
    return true;
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
        const ReadRules got = readRulesFile(common::toAnsi(rules.replace('/', '\n')));
        QCOMPARE(got.problems, QStringList());
        room.rules = got.rules;
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
        const ReadRules got = from == "file" ? readRulesFile(common::toAnsi(text))
                                             : readRuleBox(RuleKind(kinds.indexOf(from)), text);
        Classroom room;
        room.rules = got.rules;
        room.fixed = got.fixed;
        QCOMPARE(common::fromAnsi(rulesFileBytes(room)), written.replace('/', "\r\n"));
        QTEST(QString::number(got.problems.size()), "problems");
        // What is written reads back as it was.
        QCOMPARE(readRulesFile(rulesFileBytes(room)).rules, room.rules);
    }

    void window_data() { addTable({"files", "steps", "boxes", "written"}, kWindow); }
    void window() {
        QFETCH(QString, files);
        QFETCH(QString, steps);
        Shown<QuorlenWindow> w("quorlen", files);
        w.more = [&](const QString& step) { return take(w, step); };
        QCoreApplication::processEvents(); // what is told at start
        if (!w.run(steps))
            return;
        QTEST(w.desktop.kinds(), "boxes");
        QFETCH(QString, written);
        if (!w.run(written))
            return;
        auto* dialog = w.window->findChild<QDialog*>("reseatDialog");
        QVERIFY(!dialog || dialog->isHidden());
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
