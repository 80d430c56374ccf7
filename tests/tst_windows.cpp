// Both windows driven as teachers drive them, case by case: the saved plan
// Quorlen starts with, the steps (see driver.h), the boxes the window showed,
// and a file it wrote, byte for byte against tests/data.

#include "../rooms/window.h"
#include "../seating/about.h"
#include "../seating/window.h"
#include "driver.h"
#include "layout.h"
#include "program.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>

namespace {
// name | saved plan | steps | boxes shown | file written = expected bytes
// "@class" is quorlen/class.txt: names, "null" seats, a quoted comma, "BACK".
const char* const kQuorlen = R"(
nothing saved yet | | Command3 | inform | default.txt=quorlen/empty.txt
the saved plan comes back | @class | Command3 | inform | default.txt=quorlen/class-saved.txt
swaps and the podium | @class | 1 20 3 3 5 5 2 30 Command6×3 Command3 | inform | default.txt=quorlen/swaps.txt
返回 keeps the list | @class | Command9 Text3<quorlen/list36.txt Command11 Command9 Command12 Command3 | inform | default.txt=quorlen/Command12.txt
a pattern empties the list | @class | Command9 Text3<quorlen/list36.txt Command12 Command9 Command17 Command3 | inform | default.txt=quorlen/empty-back.txt
a selection survives a pattern | @class | 34 Command9 Text3<quorlen/list36.txt Command15 0 Command3 | inform | default.txt=quorlen/selection.txt
pasted lines as they are | | Command9 Text3<quorlen/list-odd.txt Command16 Command3 | inform | default.txt=quorlen/list-odd-saved.txt
open replaces every seat | @class | >quorlen/ten.txt Command2 Command3 | open inform inform | default.txt=quorlen/ten-opened.txt
open reads what others write | | >quorlen/odd.txt Command2 Command3 | open inform inform | default.txt=quorlen/odd-opened.txt
open cancelled | @class | > Command2 Command3 | open inform | default.txt=quorlen/class-saved.txt
open of a missing file | @class | >missing.txt Command2 Command3 | open error inform | default.txt=quorlen/class-saved.txt
export, No | @class | >plan - Command4 | save ask | plan.rtf=quorlen/class.rtf
export, Yes opens it | @class | >plan.RTF + Command4 | save ask opened | plan.RTF=quorlen/class.rtf
export keeps another extension | @class | >plan.doc Command4 | save ask | plan.doc.rtf=quorlen/class.rtf
export beside an opened plan | | >quorlen/ten.txt Command2 >= Command4 | open inform save ask | ten.txt.rtf=quorlen/ten.rtf
export into a missing folder | @class | >missing/plan Command4 Command3 | save error inform | default.txt=quorlen/class-saved.txt
swaps by dragging | @class | 1~20 2~2 30 Command6×3 Command3 | inform | default.txt=quorlen/swaps.txt
a drag off the seats | @class | 1~- Command3 | inform | default.txt=quorlen/class-saved.txt
undo ends a first click | @class | 0 *undo 10 *redo 12 Command3 | inform | default.txt=quorlen/class-saved.txt
a change drops what could be redone | @class | Command5 *undo 0 Command19 10 *redo *undo×2 Command3 | inform | default.txt=quorlen/class-saved.txt
undo a move, and a swap after it | @class | 0 Command5 10 *undo×2 Command3 | inform | default.txt=quorlen/class-saved.txt
redo a move, and a swap after it | @class | 0 Command5 10 *undo×2 *redo×2 Command3 | inform | default.txt=quorlen/Command5.txt
undo swaps and the podium | @class | 1 20 3 3 5 5 2 30 Command6×3 *undo×5 Command3 | inform | default.txt=quorlen/class-saved.txt
redo swaps and the podium | @class | 1 20 3 3 5 5 2 30 Command6×3 *undo×5 *redo×5 Command3 | inform | default.txt=quorlen/swaps.txt
undo drags | @class | 1~20 2~2 30 *undo×2 Command3 | inform | default.txt=quorlen/class-saved.txt
redo drags | @class | 1~20 2~2 30 Command6×3 *undo×5 *redo×5 Command3 | inform | default.txt=quorlen/swaps.txt
undo a pattern | @class | Command9 Text3<quorlen/list36.txt Command14 *undo Command3 | inform | default.txt=quorlen/class-saved.txt
redo a pattern | @class | Command9 Text3<quorlen/list36.txt Command14 *undo *redo Command3 | inform | default.txt=quorlen/Command14.txt
undo an Open | @class | >quorlen/ten.txt Command2 *undo Command3 | open inform inform | default.txt=quorlen/class-saved.txt
redo an Open | @class | >quorlen/ten.txt Command2 *undo *redo Command3 | open inform inform | default.txt=quorlen/ten-opened.txt
100 changes can be taken back | @class | Command22×101 *undo×101 Command3 | inform | default.txt=quorlen/shifted-up.txt
print, the podium at the back | @class | *print | preview | print.txt=quorlen/class-print.txt
print, the podium at the front | @class | Command6 *print | preview | print.txt=quorlen/front-print.txt
print a long name whole | | Command9 Text3<quorlen/long-names.txt Command12 *print | preview | print.txt=quorlen/long-print.txt
)";
// "@forty" and "@sixty" paste brasset/names40.txt and names64.txt (with a
// final line break); 32 a room and 横排 at start.
const char* const kBrasset = R"(
worked example, rows | | @forty Command1 >rooms - Command2 | save ask | rooms.rtf=brasset/rows.rtf
worked example, columns | | @forty Option2 Command1 >rooms Command2 | save ask | rooms.rtf=brasset/columns.rtf
turned again | | @forty Command1 Command3 >rooms Command2 | save ask | rooms.rtf=brasset/rows-turned.rtf
rooms just full | | @forty Text2=20 Command1 >rooms Command2 | save ask | rooms.rtf=brasset/twenty.rtf
a final line break | | @sixty Command1 >rooms Command2 | save ask | rooms.rtf=brasset/final-break.rtf
37 counts as 30 | | @sixty Text2=37 Command1 >rooms Command2 | save ask | rooms.rtf=brasset/thirty.rtf
hexadecimal counts as 30 | | @sixty Text2=0x20 Command1 >rooms Command2 | save ask | rooms.rtf=brasset/thirty.rtf
full-width digits count as 30 | | @sixty Text2=２０ Command1 >rooms Command2 | save ask | rooms.rtf=brasset/thirty.rtf
20.5 fills 21 seats | | @sixty Text2=20.5 Command1 >rooms Command2 | save ask | rooms.rtf=brasset/fraction.rtf
no exponent | | @sixty Text2=20.5e1 Command1 >rooms Command2 | save ask | rooms.rtf=brasset/fraction.rtf
eight rooms at most | | Text1<brasset/names300.txt Text2=36 Command1 >rooms Command2 | save ask | rooms.rtf=brasset/eight.rtf
names as pasted | | Text1<brasset/names-odd.txt Option2 Command1 >rooms Command2 | save ask | rooms.rtf=brasset/odd.rtf
nothing arranged | | >rooms + Command2 | save ask opened | rooms.rtf=brasset/empty.rtf
seats do nothing, a new arrangement starts afresh | | Text1<brasset/names300.txt Text2=36 Option2 Command1 Text2=32 Option1 @forty student_0 student_50 Command1 >rooms Command2 | save ask | rooms.rtf=brasset/rows.rtf
export into a missing folder | | @forty Command1 >missing/rooms Command2 >rooms Command2 | save error save ask | rooms.rtf=brasset/rows.rtf
print, a page a room | | @forty Command1 *print | preview | print.txt=brasset/rows-print.txt
)";
// Quorlen's about window: what is clicked (where, in twips; the middle when
// not given) or the key pressed, and then: the window open or closed, and
// what the browser was asked to open.
const char* const kAbout = R"(
product name | lblProductName | | | closed
version | Label1 | | | closed
author | lblWarning | | | closed
mail | Label4 | | | closed
thanks | Label2 | | | closed
blank of the frame | Frame1 | 5040,2115 | | closed
margin | frmSplash | 60,1200 | | open
web address | lblCompany | | | open browsed browsed
a letter | frmSplash | | A | closed
space | frmSplash | | Space | closed
Enter | frmSplash | | Return | closed
Escape | frmSplash | | Escape | closed
Shift alone | frmSplash | | Shift | open
Backspace | frmSplash | | Backspace | closed
an arrow | frmSplash | | Left | open
F1 | frmSplash | | F1 | open
Home | frmSplash | | Home | open
Page Down | frmSplash | | PageDown | open
Caps Lock | frmSplash | | CapsLock | open
the menu key | frmSplash | | Menu | open
)";

void addTable(std::initializer_list<const char*> columns, QString table) {
    for (const char* column : columns)
        QTest::addColumn<QString>(column);
    table.replace("@class", "quorlen/class.txt")
        .replace("@forty", "Text1<brasset/names40.txt")
        .replace("@sixty", "Text1<brasset/names64.txt");
    for (const QString& line : table.split('\n', Qt::SkipEmptyParts)) {
        const QStringList cells = line.split(QRegularExpression(" *\\| *"));
        QTestData& row = QTest::newRow(qPrintable(cells[0]));
        for (const QString& cell : cells)
            row << cell;
    }
}
} // namespace

class TestWindows : public QObject {
    Q_OBJECT
    template <typename Form> void runCase() {
        QFETCH(QString, plan);
        QFETCH(QString, steps);
        QFETCH(QString, boxes);
        QFETCH(QString, file);
        Shown<Form> w(plan);
        run(*w.window, w.desktop, steps);
        QCOMPARE(w.desktop.kinds(), boxes);
        // Without pdftotext (on Windows) the printout is kept for tests/wine/check.sh.
        if (file.startsWith("print") && QStandardPaths::findExecutable("pdftotext").isEmpty()) {
            QFile::copy("print.pdf", qEnvironmentVariable("TAVRIN_PDF_DIR") + '/' +
                                         file.section('=', 1).replace('/', '-') + ".pdf");
            QSKIP("no pdftotext to read the printout with");
        }
        QVERIFY2(sameBytes(file.section('=', 0, 0), file.section('=', 1)), qPrintable(file));
        if (auto* front = w.window->template findChild<QLineEdit*>("Text1")) // one podium box
            QVERIFY(front->isHidden() != child(*w.window, "Text2")->isHidden());
    }

private slots:
    void quorlen_data() {
        QString table = kQuorlen;
        // A seat chosen before a move still means its place afterwards.
        for (QString move : {"Command5", "Command19", "Command20", "Command7", "Command8",
                             "Command21", "Command22"})
            table += move + "|@class|0 " + move + " 10 Command3|inform|default.txt=quorlen/" +
                     move + ".txt\n";
        for (QString pattern : {"Command14", "Command13", "Command15", "Command16", "Command10",
                                "Command12", "Command18", "Command17"})
            table += pattern + "|@class|Command9 Text3<quorlen/list36.txt " + pattern +
                     " Command3|inform|default.txt=quorlen/" + pattern + ".txt\n";
        addTable({"name", "plan", "steps", "boxes", "file"}, table);
    }
    void quorlen() { runCase<quorlen::Form1>(); }
    void brasset_data() { addTable({"name", "plan", "steps", "boxes", "file"}, kBrasset); }
    void brasset() { runCase<brasset::Form1>(); }

    // What the boxes and dialogs say, and the name a dialog offers.
    void dialogTexts() {
        Shown<quorlen::Form1> q;
        run(*q.window, q.desktop, ">quorlen/ten.txt Command2 Command3 > Command4");
        QCOMPARE(q.desktop.log, QStringList({"open 打开 Txt files(*.txt)|*.txt|All files(*.*)|*.* ",
                                             "inform 打开完成 打开完成", "inform 保存完成 保存完成",
                                             "save 保存 RTF文件(*.rtf)|*.rtf " +
                                                 QDir::current().filePath("ten.txt")}));
        Shown<brasset::Form1> b;
        run(*b.window, b.desktop, ">rooms Command2 > Command2 > Command2");
        const QString rooms = "save 保存 RTF文件(*.rtf)|*.rtf " + QDir::current().filePath("rooms");
        QCOMPARE(b.desktop.log,
                 QStringList({"save 保存 RTF文件(*.rtf)|*.rtf ",
                              "ask 保存完成 保存完成，是否立即打开查看？", rooms, rooms}));
    }

    void startStates() {
        Shown<quorlen::Form1> q("quorlen/class.txt");
        QVERIFY(QTest::qWaitForWindowExposed(q.window.get()));
        QCOMPARE(q.window->windowTitle(), "Tavrin");
        QCOMPARE(q.window->frameGeometry().width(), common::px(6880));
        QVERIFY(child(*q.window, "Frame1")->isHidden() && child(*q.window, "Text1")->isHidden());
        QCOMPARE(child<QLabel>(*q.window, "Label1")->text().count('\n'), 5);
        QString panels;
        for (QLabel* panel : q.window->statusBar()->findChildren<QLabel*>())
            panels += panel->text() + '|';
        QCOMPARE(panels, "Tavrin https://tavrin.example.org/|版本:1.2.1|设计：Tavrin 开发组|");
        // Captions shown as they are: "&" is no shortcut, markup no markup.
        auto* seat = child<QPushButton>(*q.window, "Command1_6");
        QCOMPARE(seat->text() + seat->toolTip(),
                 "A&&B <i><p style='white-space:pre'>A&amp;B &lt;i&gt;</p>"
                 "<p>按住拖到另一个座位上松开，两个座位交换</p>");
        // The window's context menu, its shortcuts shown.
        const auto menu = [](QWidget& window) {
            QString items = window.contextMenuPolicy() == Qt::ActionsContextMenu ? "" : "none ";
            for (QAction* action : window.actions())
                items +=
                    action->text() + ' ' + QKeySequence::listToString(action->shortcuts()) + '|';
            return items;
        };
        QCOMPARE(menu(*q.window), "撤销 Ctrl+Z|重做 Ctrl+Y; Ctrl+Shift+Z|打印… Ctrl+P|");
        quorlen::SeatPlan plan; // a name too long for its seat is cut short
        plan[6] = QString(200, u'长');
        q.window->setSeatPlan(plan);
        QVERIFY(seat->text().size() < 20 && seat->text().endsWith(QChar(0x2026)));

        Shown<brasset::Form1> b;
        QCOMPARE(b.window->windowTitle(), "Form1");
        QCOMPARE(b.window->size(), QSize(common::px(17865), common::px(10065)));
        for (QGroupBox* room : b.window->findChildren<QGroupBox*>())
            QVERIFY(room->isHidden() && room->title().startsWith("第"));
        // Only the seats have a font of their own; the rest keeps the desktop's.
        for (QWidget* widget : b.window->findChildren<QWidget*>())
            QVERIFY2((widget->font() == QApplication::font(widget)) !=
                         widget->objectName().startsWith("student_"),
                     qPrintable(widget->objectName()));
        QCOMPARE(menu(*b.window), "打印… Ctrl+P|");
        run(*b.window, b.desktop, "Command4");
        QVERIFY(!b.window->isVisible());
    }

    // A saved plan that cannot be read is told once the window is up.
    void unreadableSavedPlan() {
        Shown<quorlen::Form1> q("/"); // a folder in its place
        QTRY_COMPARE(q.desktop.kinds(), "error");
        QVERIFY(q.desktop.log[0].contains(QDir::current().filePath("default.txt")));
    }

    void aboutClosing_data() { addTable({"name", "target", "twips", "key", "after"}, kAbout); }
    void aboutClosing() {
        QFETCH(QString, target);
        QFETCH(QString, twips);
        QFETCH(QString, key);
        QFETCH(QString, after);
        Shown<quorlen::Form1> q;
        quorlen::frmSplash about(q.desktop, q.window.get());
        about.show();
        QWidget* widget = target == "frmSplash" ? &about : child(about, target);
        const QStringList xy = twips.split(',');
        const QPoint at = twips.isEmpty()
                              ? widget->rect().center()
                              : common::twipsRect(xy[0].toInt(), xy[1].toInt(), 0, 0).topLeft();
        const int code = QMetaEnum::fromType<Qt::Key>().keyToValue(qPrintable("Key_" + key));
        QTest::mouseClick(widget, Qt::RightButton, {}, at); // no click
        for (int time = 0; time < 2 && about.isVisible(); ++time)
            key.isEmpty() ? QTest::mouseClick(widget, Qt::LeftButton, {}, at)
                          : QTest::keyClick(widget, Qt::Key(code));
        QCOMPARE((QString(about.isVisible() ? "open " : "closed ") + q.desktop.kinds()).trimmed(),
                 after);
    }

    // A double-click on each panel: the third opens the about window, modal.
    void aboutFromTheStatusBar() {
        Shown<quorlen::Form1> q;
        QStringList seen;
        for (int panel = 1; panel <= 3; ++panel) {
            QTimer::singleShot(20, [&] {
                QWidget* modal = QApplication::activeModalWidget();
                seen << (modal ? modal->objectName() : "nothing");
                for (QLabel* label : modal ? modal->findChildren<QLabel*>() : QList<QLabel*>())
                    seen << label->objectName() + ' ' + label->text();
                if (modal)
                    QTest::keyClick(modal, Qt::Key_Escape);
            });
            QTest::mouseDClick(child(*q.window, "StatusBar1_" + QString::number(panel)),
                               Qt::LeftButton);
            QTest::qWait(60);
        }
        QCOMPARE(seen, QStringList({"nothing", "nothing", "frmSplash", "lblProductName Tavrin",
                                    "Label1 V1.2.1", "lblWarning 作者：Tavrin 开发组",
                                    "Label4 E-mail:tavrin@example.org",
                                    "lblCompany https://tavrin.example.org/",
                                    "Label2 感谢使用！有建议和需求请与我联系！"}));
    }

    // The desktop's "open" reaches the program that opens ".rtf" files; the
    // Windows check points that at a stand-in that copies what it is given.
    void shellOpensExports() {
        const QString opened = qEnvironmentVariable("TAVRIN_OPENED_DIR");
        if (opened.isEmpty() || QGuiApplication::platformName() == "offscreen")
            QSKIP("needs Windows' own platform and the stand-in of tests/wine/check.sh");
        Shown<quorlen::Form1> q;
        run(*q.window, q.desktop, ">plan + Command4");
        common::QtDesktop().openDocument(q.desktop.log.last().section(' ', 1));
        QTRY_VERIFY_WITH_TIMEOUT(sameBytes(opened + "/plan.rtf", "quorlen/empty.rtf"), 20000);
    }

    void qtSpeaksChinese() {
        QObject owner;
        common::installChineseTranslations(&owner);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), "是(&Y)");
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
