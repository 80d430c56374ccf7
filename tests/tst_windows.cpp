// Both windows driven as teachers drive them, case by case: the saved plan
// Quorlen starts with, the steps (see driver.h), the boxes the window showed,
// and a file it wrote, byte for byte against tests/data.

#include "brasset/brassetwindow.h"
#include "common/layout.h"
#include "common/program.h"
#include "quorlen/quorlenwindow.h"
#include "tests/driver.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>

namespace {
// name | saved plan | steps | boxes shown | file written = expected data file
// class.txt holds names, "null" seats, a quoted comma, and "BACK": the podium at the back.
const char* const kQuorlen = R"(
nothing saved yet | | 保存 | inform | default.txt=empty.txt
the saved plan comes back | class.txt | 保存 | inform | default.txt=class-saved.txt
a short saved plan comes back | odd.txt | 保存 | inform | default.txt=odd-opened.txt
swaps and the podium, undone and redone | class.txt | r2c1 r7c3 r4c1 r4c1 r6c1 r6c1 r3c1 r3c5 讲台位置×3 保存 default.txt=swaps.txt undo×5 保存 default.txt=class-saved.txt redo×5 保存 | inform inform inform | default.txt=swaps.txt
swaps by dragging, undone and redone | class.txt | r2c1~r7c3 r3c1~r3c1 r3c5 讲台位置×3 保存 default.txt=swaps.txt undo×5 保存 default.txt=class-saved.txt redo×5 保存 | inform inform inform | default.txt=swaps.txt
a drag off the seats | class.txt | r2c1~off 保存 | inform | default.txt=class-saved.txt
旋转 keeps a selected seat by its place | class.txt | r1c1 旋转 r4c2 保存 | inform | default.txt=Command5.txt
上下翻转 keeps a selected seat by its place | class.txt | r1c1 上下翻转 r4c2 保存 | inform | default.txt=upside-down-swap.txt
左右翻转 keeps a selected seat by its place | class.txt | r1c1 左右翻转 r4c2 保存 | inform | default.txt=mirrored-swap.txt
上移一行 keeps a selected seat by its place | class.txt | r1c1 上移一行 r4c2 保存 | inform | default.txt=shifted-up-swap.txt
下移一行 keeps a selected seat by its place | class.txt | r1c1 下移一行 r4c2 保存 | inform | default.txt=shifted-down-swap.txt
左移一列 keeps a selected seat by its place | class.txt | r1c1 左移一列 r4c2 保存 | inform | default.txt=shifted-left-swap.txt
右移一列 keeps a selected seat by its place | class.txt | r1c1 右移一列 r4c2 保存 | inform | default.txt=shifted-right-swap.txt
a move and a swap after it, undone and redone | class.txt | r1c1 旋转 r4c2 undo×2 保存 default.txt=class-saved.txt redo×2 保存 | inform inform | default.txt=Command5.txt
undo ends a first click | class.txt | r1c1 undo r4c2 redo r6c2 保存 | inform | default.txt=class-saved.txt
a change drops what could be redone | class.txt | 旋转 undo r1c1 上下翻转 r4c2 redo undo×2 保存 | inform | default.txt=class-saved.txt
undo leaves the plan alone while the exam panel is shown | class.txt | 旋转 Brasset undo 返回 旋转 保存 | inform | default.txt=class-saved.txt
saving is no change to undo | class.txt | 旋转 保存 undo 保存 | inform inform | default.txt=class-saved.txt
100 changes can be taken back | class.txt | 上移一行×101 undo×101 保存 | inform | default.txt=shifted-up.txt
返回 keeps the list | class.txt | Brasset paste:list36.txt 返回 Brasset 横S正排(7*5) 保存 | inform | default.txt=Command12.txt
a pattern empties the list | class.txt | Brasset paste:list36.txt 横S正排(7*5) Brasset 横S正排(6*5) 保存 | inform | default.txt=empty-back.txt
a selection survives a pattern | class.txt | r7c5 Brasset paste:list36.txt 竖S倒排(7*5) r1c1 保存 | inform | default.txt=selection.txt
pasted lines as they are | | Brasset paste:list-odd.txt 竖S正排(7*5) 保存 | inform | default.txt=list-odd-saved.txt
Escape leaves the exam panel | class.txt | Brasset key:Escape 保存 | inform | default.txt=class-saved.txt
print a name too long for one line | | Brasset paste:longest-name.txt 横S正排(7*5) print | preview | print.txt=longest-print.txt
open replaces every seat, undone and redone | class.txt | file:ten.txt 打开 保存 default.txt=ten-opened.txt undo 保存 default.txt=class-saved.txt redo 保存 | open inform inform inform inform | default.txt=ten-opened.txt
open reads what others write | | file:odd.txt 打开 保存 | open inform inform | default.txt=odd-opened.txt
open cancelled | class.txt | cancel 打开 保存 | open inform | default.txt=class-saved.txt
open of a missing file | class.txt | file:missing.txt 打开 保存 | open error inform | default.txt=class-saved.txt
export, No | class.txt | file:plan no 另存为 | save ask | plan.rtf=class.rtf
export, Yes opens it | class.txt | file:plan.RTF yes 另存为 | save ask opened | plan.RTF=class.rtf
export keeps another extension | class.txt | file:plan.doc 另存为 | save ask | plan.doc.rtf=class.rtf
export beside an opened plan | | file:ten.txt 打开 offered 另存为 | open inform save ask | ten.txt.rtf=ten.rtf
export into a missing folder | class.txt | file:missing/plan 另存为 保存 | save error inform | default.txt=class-saved.txt
print, the podium at the back | class.txt | print | preview | print.txt=class-print.txt
print, the podium at the front | class.txt | 讲台位置 print | preview | print.txt=front-print.txt
print a long name whole | | Brasset paste:long-names.txt 横S正排(7*5) print | preview | print.txt=long-print.txt
)";
// names40.txt and names64.txt (with a final line break) at 32 a room, 横排 at start.
const char* const kBrasset = R"(
worked example, rows | | paste:names40.txt 编排 file:rooms no 导出 | save ask | rooms.rtf=rows.rtf
worked example, columns | | paste:names40.txt 竖排 编排 file:rooms 导出 | save ask | rooms.rtf=columns.rtf
turned again | | paste:names40.txt 编排 旋转 file:rooms 导出 | save ask | rooms.rtf=rows-turned.rtf
rooms just full | | paste:names40.txt per-room:20 编排 file:rooms 导出 | save ask | rooms.rtf=twenty.rtf
a final line break | | paste:names64.txt 编排 file:rooms 导出 | save ask | rooms.rtf=final-break.rtf
37 counts as 30 | | paste:names64.txt per-room:37 编排 file:rooms 导出 | save ask | rooms.rtf=thirty.rtf
hexadecimal counts as 30 | | paste:names64.txt per-room:0x20 编排 file:rooms 导出 | save ask | rooms.rtf=thirty.rtf
full-width digits count as 30 | | paste:names64.txt per-room:２０ 编排 file:rooms 导出 | save ask | rooms.rtf=thirty.rtf
20.5 fills 21 seats | | paste:names64.txt per-room:20.5 编排 file:rooms 导出 | save ask | rooms.rtf=fraction.rtf
a blank before the number | | paste:names40.txt per-room:	20 编排 file:rooms 导出 | save ask | rooms.rtf=twenty.rtf
no exponent | | paste:names64.txt per-room:20.5e1 编排 file:rooms 导出 | save ask | rooms.rtf=fraction.rtf
eight rooms at most, the rest offered 考务编排 | | paste:names300.txt per-room:36 no 编排 file:rooms 导出 | ask save ask | rooms.rtf=eight.rtf
Yes opens 考务编排, Brasset's rooms as they were | | paste:names300.txt per-room:36 yes 编排 file:rooms 导出 | ask save ask | rooms.rtf=eight.rtf
names as pasted | | paste:names-odd.txt 竖排 编排 file:rooms 导出 | save ask | rooms.rtf=odd.rtf
nothing arranged | | file:rooms yes 导出 | save ask opened | rooms.rtf=empty.rtf
seats do nothing, a new arrangement starts afresh | | paste:names300.txt per-room:36 竖排 no 编排 per-room:32 横排 paste:names40.txt room1:r1c1 room2:r3c3 编排 file:rooms 导出 | ask save ask | rooms.rtf=rows.rtf
export into a missing folder | | paste:names40.txt 编排 file:missing/rooms 导出 file:rooms 导出 | save error save ask | rooms.rtf=rows.rtf
print, a page a room | | paste:names40.txt 编排 print | preview | print.txt=rows-print.txt
)";
// The eight exam patterns seat list36.txt ("S01" to "S36", shown here by
// number; "." is an empty seat) over class.txt, whose podium is at the back.
// 正排 leaves it there; 倒排 turns the whole room round, the podium with it.
const char* const kPatterns = R"(
  竖S正排(7*5)     竖S正排(6*5)     横S正排(7*5)     横S正排(6*5)
 1 14 15 28 29    1 12 13 24 25    1  2  3  4  5    1  2  3  4  5
 2 13 16 27 30    2 11 14 23 26   10  9  8  7  6   10  9  8  7  6
 3 12 17 26 31    3 10 15 22 27   11 12 13 14 15   11 12 13 14 15
 4 11 18 25 32    4  9 16 21 28   20 19 18 17 16   20 19 18 17 16
 5 10 19 24 33    5  8 17 20 29   21 22 23 24 25   21 22 23 24 25
 6  9 20 23 34    6  7 18 19 30   30 29 28 27 26   30 29 28 27 26
 7  8 21 22 35    .  .  .  .  .   31 32 33 34 35    .  .  .  .  .
     [讲台]           [讲台]           [讲台]           [讲台]

  竖S倒排(7*5)     竖S倒排(6*5)     横S倒排(7*5)     横S倒排(6*5)
     [讲台]           [讲台]           [讲台]           [讲台]
35 22 21  8  7    .  .  .  .  .   35 34 33 32 31    .  .  .  .  .
34 23 20  9  6   30 19 18  7  6   26 27 28 29 30   26 27 28 29 30
33 24 19 10  5   29 20 17  8  5   25 24 23 22 21   25 24 23 22 21
32 25 18 11  4   28 21 16  9  4   16 17 18 19 20   16 17 18 19 20
31 26 17 12  3   27 22 15 10  3   15 14 13 12 11   15 14 13 12 11
30 27 16 13  2   26 23 14 11  2    6  7  8  9 10    6  7  8  9 10
29 28 15 14  1   25 24 13 12  1    5  4  3  2  1    5  4  3  2  1
)";
// Quorlen's about window, opened from the status bar: clicks on its labels
// or on the window itself (in the middle, or at x,y in twips), or keys, each
// on the window opened afresh; then: the window still up or not, and what the
// browser was asked to open.
const char* const kAbout = R"(
a click on any text closes it | click lblProductName Label1 lblWarning Label4 Label2 | closed
a click on the frame's blank closes it | click Frame1@5040,2115 | closed
a click on the margin does not | click frmSplash@60,1200 | open
a click on the web address opens it | click lblCompany | open browsed browsed
a key that types closes it | key A Space Return Escape Backspace | closed
other keys do not | key Shift Left F1 Home PageDown CapsLock Menu | open
)";

// Double-clicks a panel of Quorlen's status bar. The window that comes up is
// modal: act on it while it is up, then Escape closes it if it is still up.
// Returns its name and "open" or "closed" after act, or "nothing".
QString withModal(QWidget& window, const QString& panel, const std::function<void(QWidget&)>& act) {
    auto* label = window.findChild<QWidget*>(panel);
    if (!label)
        return "no " + panel;
    // The timer is this function's own, so it cannot fire once the function
    // has returned; the function waits for it instead, however busy the machine.
    QString seen;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        seen = "nothing";
        if (QWidget* modal = QApplication::activeModalWidget()) {
            act(*modal);
            seen = modal->objectName() + (modal->isVisible() ? " open" : " closed");
            if (modal->isVisible())
                QTest::keyClick(modal, Qt::Key_Escape);
        }
    });
    timer.start(20);
    QTest::mouseDClick(label, Qt::LeftButton);
    if (!QTest::qWaitFor([&] { return !seen.isEmpty(); }, 10000))
        return "no timer";
    QTest::qWait(40);
    return seen;
}

// The window's context menu, with the shortcuts it shows.
QString menu(QWidget& window) {
    QString items = window.contextMenuPolicy() == Qt::ActionsContextMenu ? "" : "none ";
    for (QAction* action : window.actions())
        items += action->text() + ' ' + QKeySequence::listToString(action->shortcuts()) + '|';
    return items;
}
} // namespace

class TestWindows : public QObject {
    Q_OBJECT
    template <typename MainWindow> void runCase(const QString& program) {
        QFETCH(QString, plan);
        QFETCH(QString, steps);
        QFETCH(QString, boxes);
        QFETCH(QString, file);
        Shown<MainWindow> w(program, plan);
        if (!w.run(steps))
            return;
        QCOMPARE(w.desktop.kinds(), boxes);
        // Quorlen shows one podium box: at the front (Text1) or at the back (Text2).
        QWidget& window = *w.window;
        if (program == "quorlen") {
            auto* front = window.findChild<QWidget*>("Text1");
            auto* back = window.findChild<QWidget*>("Text2");
            QVERIFY(front && back && front->isHidden() != back->isHidden());
        }
        w.run(file);
    }

private slots:
    void quorlen_data() { addTable({"plan", "steps", "boxes", "file"}, kQuorlen); }
    void quorlen() { runCase<quorlen::QuorlenWindow>("quorlen"); }
    void brasset_data() { addTable({"plan", "steps", "boxes", "file"}, kBrasset); }
    void brasset() { runCase<brasset::BrassetWindow>("brasset"); }

    void examPatterns_data() {
        QTest::addColumn<QString>("pattern");  // the button's caption
        QTest::addColumn<QStringList>("plan"); // the lines of default.txt
        for (const QString& block : QString(kPatterns).split("\n\n")) {
            QStringList lines = block.split('\n', Qt::SkipEmptyParts);
            const QStringList patterns = lines.takeFirst().split(' ', Qt::SkipEmptyParts);
            const bool back = lines.last().contains("讲台");
            lines.removeIf([](const QString& line) { return line.contains("讲台"); });
            for (int pattern = 0; pattern < patterns.size(); ++pattern) {
                QStringList plan;
                for (int seat = 0; seat < 35; ++seat) {
                    const QString cell = lines[seat % 7]
                                             .split(' ', Qt::SkipEmptyParts)
                                             .value(5 * pattern + seat / 7);
                    plan << (cell == "." ? "NULL" : QString::asprintf("S%02d", cell.toInt()));
                }
                if (back)
                    plan << "back";
                QTest::newRow(qPrintable(patterns[pattern])) << patterns[pattern] << plan;
            }
        }
    }
    void examPatterns() {
        QFETCH(QString, pattern);
        QFETCH(QStringList, plan);
        const QString seated = QString(pattern).replace('*', 'x') + ".txt"; // a name Windows takes
        Shown<quorlen::QuorlenWindow> q("quorlen", "class.txt");
        q.made[seated] = common::ansiLines(plan);
        // Undone, the class comes back; redone, the pattern again.
        q.run("Brasset paste:list36.txt " + pattern + " 保存 default.txt=" + seated +
              " undo 保存 default.txt=class-saved.txt redo 保存 default.txt=" + seated);
    }

    // What the boxes and dialogs say, and the name a dialog offers.
    void dialogTexts() {
        Shown<quorlen::QuorlenWindow> q("quorlen");
        q.run("file:ten.txt 打开 保存 cancel 另存为");
        QCOMPARE(q.desktop.log, QStringList({"open 打开 Txt files(*.txt)|*.txt|All files(*.*)|*.* ",
                                             "inform 打开完成 打开完成", "inform 保存完成 保存完成",
                                             "save 保存 RTF文件(*.rtf)|*.rtf " +
                                                 QDir::current().filePath("ten.txt")}));
        Shown<brasset::BrassetWindow> b("brasset");
        b.run("file:rooms 导出 cancel 导出 cancel 导出");
        const QString rooms = "save 保存 RTF文件(*.rtf)|*.rtf " + QDir::current().filePath("rooms");
        QCOMPARE(b.desktop.log,
                 QStringList({"save 保存 RTF文件(*.rtf)|*.rtf ",
                              "ask 保存完成 保存完成，是否立即打开查看？", rooms, rooms}));
    }

    void startStates() {
        Shown<quorlen::QuorlenWindow> q("quorlen", "class.txt");
        QWidget& quorlen = *q.window;
        QVERIFY(QTest::qWaitForWindowExposed(&quorlen));
        QCOMPARE(quorlen.windowTitle(), "Tavrin");
        QCOMPARE(quorlen.frameGeometry().width(), common::px(6880));
        auto* panel = quorlen.findChild<QWidget*>("Frame1");
        auto* front = quorlen.findChild<QWidget*>("Text1"); // the podium at the front
        auto* instructions = quorlen.findChild<QLabel*>("Label1");
        auto* seat = quorlen.findChild<QPushButton*>("Command1_6");
        if (!panel || !front || !instructions || !seat)
            QFAIL("a control of the window is missing");
        QVERIFY(panel->isHidden() && front->isHidden());
        QCOMPARE(instructions->text().count('\n'), 5);
        QString panels;
        for (const char* name : {"StatusBar1_1", "StatusBar1_2", "StatusBar1_3"})
            if (auto* label = quorlen.findChild<QLabel*>(name))
                panels += label->text() + '|';
        QCOMPARE(panels, "Tavrin https://tavrin.example.org/|版本:1.2.1|设计：Tavrin 开发组|");
        // Captions shown as they are: "&" is no shortcut, markup no markup.
        QCOMPARE(seat->text() + seat->toolTip(),
                 "A&&B <i><p style='white-space:pre'>A&amp;B &lt;i&gt;</p>"
                 "<p>按住拖到另一个座位上松开，两个座位交换</p>");
        QCOMPARE(menu(quorlen),
                 "撤销 Ctrl+Z|重做 Ctrl+Y; Ctrl+Shift+Z|打印… Ctrl+P|随机排座… Ctrl+R|"
                 "固定座位 Ctrl+L|保存座位表为… Ctrl+Shift+S|");
        quorlen::SeatPlan plan; // a name too long for its seat is cut short
        plan[6] = QString(200, u'长');
        q.mainWindow->setSeatPlan(plan);
        QVERIFY(seat->text().size() < 20 && seat->text().endsWith(QChar(0x2026)));

        Shown<brasset::BrassetWindow> b("brasset");
        QCOMPARE(b.window->windowTitle(), "Form1");
        QCOMPARE(b.window->size(), QSize(common::px(17865), common::px(10065)));
        for (QGroupBox* room : b.window->findChildren<QGroupBox*>())
            QVERIFY(room->isHidden() && room->title().startsWith("第"));
        // Only the seats have a font of their own; the rest keeps the desktop's.
        for (QWidget* widget : b.window->findChildren<QWidget*>())
            QVERIFY2((widget->font() == QApplication::font(widget)) !=
                         widget->objectName().startsWith("student_"),
                     qPrintable(widget->objectName()));
        QCOMPARE(menu(*b.window), "打印… Ctrl+P|考务编排… Ctrl+E|");
        b.run("退出");
        QVERIFY(!b.window->isVisible());
    }

    // Only the third panel of the status bar opens the about window, modal.
    void aboutFromTheStatusBar() {
        Shown<quorlen::QuorlenWindow> q("quorlen");
        QStringList seen;
        const auto read = [&](QWidget& about) {
            seen << "title '" + about.windowTitle() + "'"; // a blank, not the program's name
            for (QLabel* label : about.findChildren<QLabel*>())
                seen << label->objectName() + ' ' + label->text();
        };
        for (int panel = 1; panel <= 3; ++panel)
            seen << withModal(*q.window, QString("StatusBar1_%1").arg(panel), read);
        QCOMPARE(seen,
                 QStringList({"nothing", "nothing", "title ' '", "lblProductName Tavrin",
                              "Label1 V1.2.1", "lblWarning 作者：Tavrin 开发组",
                              "Label4 E-mail:tavrin@example.org",
                              "lblCompany https://tavrin.example.org/",
                              "Label2 感谢使用！有建议和需求请与我联系！", "frmSplash open"}));
    }

    void aboutClosing_data() { addTable({"actions", "after"}, kAbout); }
    void aboutClosing() {
        QFETCH(QString, actions);
        QFETCH(QString, after);
        Shown<quorlen::QuorlenWindow> q("quorlen");
        const bool keys = actions.startsWith("key ");
        for (const QString& action : actions.split(' ').mid(1)) {
            const QString target = action.section('@', 0, 0);
            const QStringList twips = action.section('@', 1).split(',');
            const auto act = [&](QWidget& about) {
                QWidget* widget =
                    keys || target == "frmSplash" ? &about : about.findChild<QWidget*>(target);
                QVERIFY2(widget, qPrintable("no " + target));
                const QPoint at = twips.size() < 2 ? widget->rect().center()
                                                   : QPoint(common::px(twips[0].toInt()),
                                                            common::px(twips[1].toInt()));
                const int key =
                    QMetaEnum::fromType<Qt::Key>().keyToValue(qPrintable("Key_" + target));
                QTest::mouseClick(widget, Qt::RightButton, {}, at); // not a click that closes
                // Twice: the first must not be taken for something else.
                for (int time = 0; time < 2 && about.isVisible(); ++time)
                    if (keys)
                        QTest::keyClick(&about, Qt::Key(key));
                    else
                        QTest::mouseClick(widget, Qt::LeftButton, {}, at);
            };
            q.desktop.log.clear();
            const QString state = withModal(*q.window, "StatusBar1_3", act).section(' ', 1);
            const QString seen = (state + ' ' + q.desktop.kinds()).trimmed();
            QVERIFY2(seen == after, qPrintable(action + ": " + seen));
        }
    }

    // The desktop's "open" reaches the program that opens ".rtf" files; the
    // Windows check points that at a stand-in that copies what it is given.
    void shellOpensExports() {
        const QString opened = qEnvironmentVariable("TAVRIN_OPENED_DIR");
        if (opened.isEmpty() || QGuiApplication::platformName() == "offscreen")
            QSKIP("needs Windows' own platform and the stand-in of tests/wine/check.sh");
        Shown<quorlen::QuorlenWindow> q("quorlen");
        QVERIFY(q.run("file:plan yes 另存为") && !q.desktop.log.isEmpty());
        common::QtDesktop().openDocument(q.desktop.log.last().section(' ', 1));
        QTRY_VERIFY_WITH_TIMEOUT(
            bytesOf(opened + "/plan.rtf") == bytesOf(":/data/quorlen/empty.rtf"), 20000);
    }

    void qtSpeaksChinese() {
        QObject owner;
        common::installChineseTranslations(&owner);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), "是(&Y)");
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
